#include "docfile/pdfreader.h"

#include <climits>
#include <filesystem>
#include <vector>

#include <dlfcn.h>
#include <unicode/uchar.h>

#include "common/errors.h"
#include "docfile/pdfpages.h"

namespace yuedu::doc {

namespace {

bool isWide(char16_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0xD800 && c <= 0xDFFF);
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\f' || c == u'\u3000' || c == u'\u00A0';
}

// Where a paragraph ends whatever the line's length.
bool endsParagraph(char16_t c) {
    return c == u'。' || c == u'！' || c == u'？' || c == u'」' || c == u'』' || c == u'：';
}

// The width of a line in half-width cells, which is what a full line is measured by.
std::size_t width(std::u16string_view line) {
    std::size_t w = 0;
    for (char16_t c : line)
        w += isWide(c) ? 2 : 1;
    return w;
}

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The module is looked for in lib/yuedu beside the installed programs' bin, beside the program
// itself, and, for a program or test run in the build tree, where the build made it.
std::vector<std::filesystem::path> moduleCandidates() {
    namespace fs = std::filesystem;
    std::vector<fs::path> found;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return found;
    found.push_back(exe.parent_path() / YUEDU_MODULE_DIR_FROM_BIN / "yuedu-pdf.so");
    found.push_back(exe.parent_path() / "yuedu-pdf.so");
    const std::string build = YUEDU_BUILD_DIR "/";
    if (exe.string().starts_with(build))
        found.push_back(fs::path(YUEDU_BUILD_MODULE_DIR) / "yuedu-pdf.so");
    return found;
}

struct PdfModule {
    pdfmodule::PagesFn pages = nullptr;
    std::string problem; // why there is none
};

const PdfModule &pdfModule() {
    static const PdfModule module = [] {
        PdfModule m;
        std::string tried;
        for (const auto &path : moduleCandidates()) {
            std::error_code ec;
            if (!std::filesystem::exists(path, ec))
                continue;
            void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!handle) {
                const char *why = dlerror();
                tried += (tried.empty() ? "" : "；") + std::string(why ? why : path.c_str());
                continue;
            }
            auto interface =
                reinterpret_cast<pdfmodule::InterfaceFn>(dlsym(handle, "yuedu_pdf_interface"));
            auto pages = reinterpret_cast<pdfmodule::PagesFn>(dlsym(handle, "yuedu_pdf_pages"));
            if (!interface || !pages || interface() != YUEDU_PDF_MODULE_INTERFACE) {
                tried += (tried.empty() ? "" : "；") + path.string() + " 版本不符";
                dlclose(handle);
                continue;
            }
            m.pages = pages; // kept loaded for the rest of the run
            return m;
        }
        m.problem = "讀取 PDF 的模組 yuedu-pdf.so 找不到或無法載入，PDF 無法讀取" +
                    (tried.empty() ? std::string() : "（" + tried + "）");
        return m;
    }();
    return module;
}

} // namespace

bool looksLikePdf(std::string_view bytes) {
    // The header may follow a little junk; readers look for it in the first kilobyte.
    return bytes.substr(0, 1024).find("%PDF-") != std::string_view::npos;
}

ExtractedText readPdf(std::string_view bytes, const std::string &source) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        throw FormatError(source, "PDF 檔案過大，無法讀取");
    const PdfModule &module = pdfModule();
    if (!module.pages)
        throw FormatError(source, module.problem);
    std::vector<std::u16string> pages;
    switch (module.pages(bytes.data(), bytes.size(), &pages)) {
    case pdfmodule::Read:
        break;
    case pdfmodule::Locked:
        throw FormatError(source, "PDF 有密碼保護（已加密），無法讀取");
    default:
        throw FormatError(source, "PDF 已損壞，poppler 無法開啟");
    }

    TextBuilder out;
    std::size_t emptyPages = 0, letters = 0;
    bool runOn = false; // the last line of the previous page was full
    for (const std::u16string &text : pages) {
        std::vector<std::u16string_view> lines;
        std::size_t start = 0;
        while (start <= text.size()) {
            auto end = text.find_first_of(u"\n\f", start);
            if (end == std::u16string::npos)
                end = text.size();
            const std::u16string_view line =
                trim(std::u16string_view(text).substr(start, end - start));
            if (!line.empty())
                lines.push_back(line);
            start = end + 1;
        }
        if (lines.empty()) {
            ++emptyPages;
            continue;
        }
        std::size_t widest = 0;
        for (auto line : lines)
            widest = std::max(widest, width(line));
        for (auto line : lines) {
            if (runOn && !out.atParagraphStart() && !(isWide(out.last()) && isWide(line.front())))
                out.append(u' ');
            out.append(line);
            for (char16_t c : line)
                letters += u_isalpha(c) ? 1 : 0;
            // A line short of the page's width ends its paragraph.
            runOn = width(line) * 10 >= widest * 9 && !endsParagraph(line.back());
            if (!runOn)
                out.endParagraph();
        }
    }
    // Page numbers alone are no text to analyse.
    if (letters == 0)
        throw FormatError(source, "這份 PDF 沒有文字層（可能是掃描的圖像），沒有文字可以分析");
    if (emptyPages > 0)
        out.note(std::to_string(emptyPages) + " 頁沒有文字層（可能是圖像），未讀入");
    out.note("PDF 的頁首、頁尾與頁碼若在文字層中，會與正文一起讀入");
    return out.finish();
}

} // namespace yuedu::doc
