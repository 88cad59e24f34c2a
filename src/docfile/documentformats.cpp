#include "docfile/documentformats.h"

#include <algorithm>
#include <filesystem>

#include "common/errors.h"
#include "docfile/docxreader.h"
#include "docfile/epubreader.h"
#include "docfile/htmlreader.h"
#include "docfile/odtreader.h"
#include "docfile/pdfreader.h"
#include "docfile/zipcontainer.h"

namespace yuedu::doc {

namespace {

std::string extensionOf(const std::string &path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

FormattedText readContainer(std::string_view bytes, const std::string &path) {
    ZipContainer zip(bytes, path);
    std::string mimetype;
    if (auto m = zip.readIfPresent("mimetype"); m && m->size() < 200)
        mimetype = *m;
    while (!mimetype.empty() &&
           (mimetype.back() == '\n' || mimetype.back() == '\r' || mimetype.back() == ' '))
        mimetype.pop_back();
    if (mimetype == "application/epub+zip" ||
        (mimetype.empty() && zip.has("META-INF/container.xml") && !zip.has("content.xml")))
        return {DocumentFormat::Epub, readEpub(zip)};
    if (mimetype == "application/vnd.oasis.opendocument.text" ||
        (mimetype.empty() && zip.has("content.xml")))
        return {DocumentFormat::Odt, readOdt(zip)};
    if (mimetype.empty() && (zip.has("word/document.xml") || zip.has("_rels/.rels")))
        return {DocumentFormat::Docx, readDocx(zip)};
    throw FormatError(path, "這個壓縮檔不是可讀的文件（可讀 .docx、.odt、.epub）" +
                                (mimetype.empty() ? std::string() : "：" + mimetype));
}

// An OLE compound file: an Office document of the older kind, or a newer one under a password
// (Office keeps an encrypted .docx in such a file).
void refuseCompoundFile(std::string_view bytes, const std::string &path) {
    static const std::string encryptedPackage = [] {
        std::string s;
        for (char c : std::string_view("EncryptedPackage"))
            s += {c, '\0'};
        return s;
    }();
    if (bytes.find(encryptedPackage) != std::string_view::npos)
        throw FormatError(path, "文件有密碼保護（已加密），無法讀取");
    throw FormatError(path, "舊式的 Office 文件（.doc 等）無法讀取；請另存為 .docx 或 .odt");
}

} // namespace

std::optional<FormattedText> readFormattedText(std::string_view bytes, const std::string &path) {
    if (bytes.starts_with("%PDF-") ||
        (looksLikePdf(bytes) && bytes.find("startxref") != std::string_view::npos))
        return FormattedText{DocumentFormat::Pdf, readPdf(bytes, path)};
    if (ZipContainer::looksLikeZip(bytes))
        return readContainer(bytes, path);
    if (bytes.starts_with(std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
        refuseCompoundFile(bytes, path);
    const std::string ext = extensionOf(path);
    if (looksLikeHtml(bytes) || ext == ".html" || ext == ".htm" || ext == ".xhtml")
        return FormattedText{DocumentFormat::Html, readHtml(bytes)};
    return std::nullopt;
}

bool mayBeFormattedText(std::string_view head, const std::string &path) {
    const std::string ext = extensionOf(path);
    return looksLikePdf(head) || ZipContainer::looksLikeZip(head) ||
           head.starts_with(std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) ||
           looksLikeHtml(head) || ext == ".html" || ext == ".htm" || ext == ".xhtml";
}

const std::vector<std::string> &formattedTextExtensions() {
    static const std::vector<std::string> extensions{".docx", ".odt",   ".epub", ".html",
                                                     ".htm",  ".xhtml", ".pdf"};
    return extensions;
}

} // namespace yuedu::doc
