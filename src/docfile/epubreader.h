#pragma once
// Reads the text of an EPUB 2 or 3 book: the XHTML documents of the spine in reading order,
// each read as a web page is (ruby annotations dropped, base hanzi kept). Documents the spine
// marks as not linear (notes shown on demand, tables of contents) are left out.
#include "docfile/extractedtext.h"

namespace yuedu::doc {

class ZipContainer;

// Throws FormatError naming the container's source when it is not a readable book, and when
// the documents of its spine are encrypted.
ExtractedText readEpub(ZipContainer &zip);

} // namespace yuedu::doc
