// The PDF module: poppler behind one C entry point, loaded by pdfreader when a PDF is read.
#include <climits>
#include <memory>
#include <mutex>

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include "docfile/pdfpages.h"

using namespace yuedu::doc::pdfmodule;

extern "C" __attribute__((visibility("default"))) int yuedu_module_interface() {
    return YUEDU_PDF_MODULE_INTERFACE;
}

extern "C" __attribute__((visibility("default"))) int
yuedu_pdf_pages(const char *bytes, std::size_t size, std::vector<std::u16string> *pages) {
    static std::once_flag once;
    // Poppler reports every oddity of a file on stderr; the reader says what matters itself.
    std::call_once(once, [] {
        poppler::set_debug_error_function([](const std::string &, void *) {}, nullptr);
    });
    if (size > static_cast<std::size_t>(INT_MAX))
        return Broken;
    std::unique_ptr<poppler::document> pdf(
        poppler::document::load_from_raw_data(bytes, static_cast<int>(size)));
    if (!pdf)
        return Broken;
    if (pdf->is_locked())
        return Locked;
    const int count = pdf->pages();
    pages->clear();
    pages->reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int p = 0; p < count; ++p) {
        std::unique_ptr<poppler::page> page(pdf->create_page(p));
        if (!page) {
            pages->emplace_back();
            continue;
        }
        const poppler::ustring u =
            page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout);
        pages->emplace_back(u.begin(), u.end());
    }
    return Read;
}
