#include "docfile/epubreader.h"

#include <map>
#include <set>

#include "common/errors.h"
#include "docfile/htmlreader.h"
#include "docfile/xmlpart.h"
#include "docfile/zipcontainer.h"
#include "langdata/textcodec.h"

namespace yuedu::doc {

namespace {

std::string packagePath(ZipContainer &zip) {
    XmlPart container(zip.read("META-INF/container.xml"), zip.source(), "META-INF/container.xml");
    for (pugi::xml_node r : child(container.root(), "rootfiles").children()) {
        const std::string_view type = attribute(r, "media-type");
        if (localName(r) == "rootfile" && (type.empty() || type == "application/oebps-package+xml"))
            return resolvePartPath("", attribute(r, "full-path"));
    }
    throw FormatError(zip.source(), "不是 EPUB 電子書：META-INF/container.xml 沒有指出內容");
}

// The parts that META-INF/encryption.xml says are encrypted.
std::set<std::string> encryptedParts(ZipContainer &zip) {
    std::set<std::string> parts;
    auto bytes = zip.readIfPresent("META-INF/encryption.xml");
    if (!bytes)
        return parts;
    XmlPart xml(std::move(*bytes), zip.source(), "META-INF/encryption.xml");
    for (pugi::xml_node data : xml.root().children()) {
        pugi::xml_node reference = child(child(data, "CipherData"), "CipherReference");
        if (reference)
            parts.insert(resolvePartPath("", attribute(reference, "URI")));
    }
    return parts;
}

bool isContentDocument(std::string_view mediaType) {
    return mediaType == "application/xhtml+xml" || mediaType == "text/html" ||
           mediaType == "application/x-dtbook+xml";
}

} // namespace

ExtractedText readEpub(ZipContainer &zip) {
    const std::string opfPath = packagePath(zip);
    XmlPart opf(zip.read(opfPath), zip.source(), opfPath);
    struct Item {
        std::string path;
        std::string mediaType;
    };
    std::map<std::string, Item, std::less<>> manifest;
    for (pugi::xml_node item : child(opf.root(), "manifest").children())
        if (localName(item) == "item")
            manifest[std::string(attribute(item, "id"))] = {
                resolvePartPath(opfPath, attribute(item, "href")),
                std::string(attribute(item, "media-type"))};
    const std::set<std::string> encrypted = encryptedParts(zip);

    TextBuilder out;
    std::size_t documents = 0;
    for (pugi::xml_node ref : child(opf.root(), "spine").children()) {
        if (localName(ref) != "itemref")
            continue;
        const auto item = manifest.find(attribute(ref, "idref"));
        if (item == manifest.end() || !isContentDocument(item->second.mediaType)) {
            out.leave("書脊中非文字的項目 %d 個未讀入");
            continue;
        }
        if (attribute(ref, "linear") == "no") {
            out.leave("書脊中標為非線性的文件 %d 份（如註釋、目錄）未讀入");
            continue;
        }
        if (encrypted.count(item->second.path))
            throw FormatError(zip.source(), "電子書的內容已加密（有數位版權保護），無法讀取");
        const std::string bytes = zip.read(item->second.path);
        // Content documents are UTF-8 or, with a byte-order mark, UTF-16.
        if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
            appendHtmlText(toUtf8(decodeText(bytes)), out);
        else
            appendHtmlText(bytes, out);
        ++documents;
    }
    if (documents == 0)
        throw FormatError(zip.source(), "電子書的書脊沒有可讀的文件");
    return out.finish();
}

} // namespace yuedu::doc
