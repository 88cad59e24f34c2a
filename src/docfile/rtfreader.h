#pragma once
// Reads RTF as WordPad, Word and LibreOffice write it (and as RtfWriter writes it) into a
// RichDocument: fonts, sizes, bold, italic, underline, strikethrough, colours, paragraphs,
// \'hh bytes in the code page of the current font or of \ansicpg, and \uN with \ucN.
// Destinations it does not know are skipped. Broken input never crashes or hangs the reader:
// what can be read is returned, and a file that is not RTF at all is a FormatError.
#include <string>
#include <string_view>

#include "docfile/richdocument.h"

namespace yuedu::doc {

struct RtfReadResult {
    RichDocument document;
    // The input ended inside a group (a truncated file): the text read so far is returned.
    bool truncated = false;
    // Formatting control words (and destinations) the reader skipped: what saving loses.
    std::size_t unsupported = 0;
};

// True when the bytes start (after blanks) with "{\rtf".
bool looksLikeRtf(std::string_view bytes);

// Throws FormatError (naming `source`) when the bytes are not RTF.
RtfReadResult readRtf(std::string_view bytes, const std::string &source = "RTF");

} // namespace yuedu::doc
