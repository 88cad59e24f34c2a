#pragma once
// Reads the text of a Word document (.docx, Office Open XML): the body's paragraphs in order,
// tables row by row, then footnotes, endnotes and text boxes after the body. Tracked deletions,
// field codes, headers, footers and comments are left out; tracked insertions are kept; of a
// ruby (phonetic guide) the base text is kept and the guide dropped.
#include <string>
#include <string_view>

#include "docfile/extractedtext.h"

namespace yuedu::doc {

class ZipContainer;

// Throws FormatError naming `source` when the container or its XML is bad.
ExtractedText readDocx(ZipContainer &zip);

} // namespace yuedu::doc
