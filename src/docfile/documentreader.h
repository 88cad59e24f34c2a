#pragma once
// Turns the bytes of a document file into a RichDocument: RTF with its formatting, anything
// else as plain text (Unicode when it has a byte-order mark or is valid UTF-8, else code page
// 950).
#include <string>
#include <string_view>

#include "docfile/richdocument.h"
#include "langdata/textcodec.h"

namespace yuedu::doc {

enum class DocumentKind { Rtf, PlainText };

struct LoadedDocument {
    RichDocument document;
    DocumentKind kind = DocumentKind::PlainText;
    bool truncated = false; // an RTF file that ended inside a group
    // How a plain-text file was decoded (for RTF: Big5, no replacements).
    TextEncoding encoding = TextEncoding::Big5;
    std::size_t replaced = 0; // byte sequences that became U+FFFD
    bool ambiguous = false;   // the encoding guess was not clear-cut
    bool binary = false;      // the bytes do not look like a text at all
};

// encoding: Auto guesses a plain-text file's encoding; another value reads it in that one.
LoadedDocument readDocument(std::string_view bytes, const std::string &source,
                            TextEncoding encoding = TextEncoding::Auto);

// Reads a whole file; throws IoError with the path and the reason.
std::string readFileBytes(const std::string &path);

} // namespace yuedu::doc
