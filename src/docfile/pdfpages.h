#pragma once
// The interface of the PDF module (yuedu-pdf.so), which holds poppler and everything it loads,
// so that a program pays for them only when it reads a PDF. The module gives the text of each
// page in poppler's reading order; pdfreader makes paragraphs of it.
#include <cstddef>
#include <string>
#include <vector>

// Bumped whenever the entry point's meaning changes, so a stale module is refused.
#define YUEDU_PDF_MODULE_INTERFACE 1

namespace yuedu::doc::pdfmodule {

enum Result : int { Read = 0, Broken = 1, Locked = 2 };

// extern "C" int yuedu_pdf_pages(const char *bytes, std::size_t size,
//                                std::vector<std::u16string> *pages);
// A page poppler cannot open is an empty string.
using PagesFn = int (*)(const char *, std::size_t, std::vector<std::u16string> *);

} // namespace yuedu::doc::pdfmodule
