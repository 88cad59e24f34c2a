#pragma once
// Writes a RichDocument as RTF that WordPad, Word, LibreOffice and RtfReader read back with
// the same text and formatting: \ansicpg950, fonts with \fcharset136, a colour table, and
// every non-ASCII character as \uN followed by its code page 950 bytes for older readers.
#include <string>

#include "docfile/richdocument.h"

namespace yuedu::doc {

struct RtfWriteOptions {
    std::u16string defaultFont = u"新細明體";
    int defaultSizeHalfPoints = 21; // 10.5 points
};

std::string writeRtf(const RichDocument &document, const RtfWriteOptions &options = {});

} // namespace yuedu::doc
