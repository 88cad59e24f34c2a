#pragma once
// Reads the text of an OpenDocument text (.odt): headings and paragraphs in order, lists,
// tables row by row, then footnotes, endnotes and text frames after the body. Tracked
// deletions, comments, headers and footers are left out; of a ruby the base text is kept.
#include "docfile/extractedtext.h"

namespace yuedu::doc {

class ZipContainer;

// Throws FormatError naming the container's source when it or its XML is bad, and when the
// document is encrypted.
ExtractedText readOdt(ZipContainer &zip);

} // namespace yuedu::doc
