#include "docfile/pdfreader.h"

#include <climits>
#include <vector>

#include <dlfcn.h>
#include <unicode/uchar.h>

#include "common/errors.h"
#include "docfile/pdfpages.h"
#include "langdata/modules.h"

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

pdfmodule::PagesFn pagesOfPdf(const std::string &source) {
    const LoadedModule &m = loadModule("yuedu-pdf.so", YUEDU_PDF_MODULE_INTERFACE, "讀取 PDF");
    if (!m.handle)
        throw FormatError(source, m.problem);
    auto read = reinterpret_cast<pdfmodule::PagesFn>(dlsym(m.handle, "yuedu_pdf_pages"));
    if (!read)
        throw FormatError(source, "yuedu-pdf.so 版本不符，PDF 無法讀取");
    return read;
}

} // namespace

bool looksLikePdf(std::string_view bytes) {
    // The header may follow a little junk; readers look for it in the first kilobyte.
    return bytes.substr(0, 1024).find("%PDF-") != std::string_view::npos;
}

ExtractedText readPdf(std::string_view bytes, const std::string &source) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        throw FormatError(source, "PDF 檔案過大，無法讀取");
    const pdfmodule::PagesFn read = pagesOfPdf(source);
    std::vector<std::u16string> pages;
    switch (read(bytes.data(), bytes.size(), &pages)) {
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
