#pragma once
// Reads the text layer of a PDF with poppler, page by page in reading order. The lines of a
// page are joined into paragraphs again: a line that fills the page's width runs on into the
// next (without a blank between two hanzi). A PDF without any text layer (a scan) is an error,
// not an empty text; pages without text are noted.
#include <string>
#include <string_view>

#include "docfile/extractedtext.h"

namespace yuedu::doc {

bool looksLikePdf(std::string_view bytes);

// Throws FormatError naming `source` when poppler cannot open the file, when it is locked by
// a password, and when it has no text at all.
ExtractedText readPdf(std::string_view bytes, const std::string &source);

} // namespace yuedu::doc
