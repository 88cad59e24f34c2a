#pragma once
// Turns the bytes of a document file into a RichDocument: RTF with its formatting, the text of
// a Word, OpenDocument, EPUB, web page or PDF file (recognised by content), anything else as
// plain text (Unicode when it has a byte-order mark or is valid UTF-8, else code page 950).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "docfile/extractedtext.h"
#include "docfile/richdocument.h"
#include "langdata/textcodec.h"

namespace yuedu::doc {

// Converted: the text of a format this program reads but does not write (see `format`).
enum class DocumentKind { Rtf, PlainText, Converted };

struct LoadedDocument {
    RichDocument document;
    DocumentKind kind = DocumentKind::PlainText;
    bool truncated = false; // an RTF file that ended inside a group
    // Formatting of an RTF file this program does not keep (control words it skips).
    std::size_t unsupported = 0;
    // How a plain-text file was decoded (for RTF: Big5, no replacements).
    TextEncoding encoding = TextEncoding::Big5;
    std::size_t replaced = 0; // byte sequences that became U+FFFD
    bool ambiguous = false;   // the encoding guess was not clear-cut
    bool binary = false;      // the bytes do not look like a text at all
    // For a converted document: its format, and what its reader left out (UTF-8 sentences).
    std::optional<DocumentFormat> format;
    std::vector<std::string> notes;
};

// encoding: Auto guesses a plain-text file's encoding; another value reads it in that one.
// Throws FormatError (with the source) for a file of one of the other formats that cannot be
// read: encrypted, damaged, a zip bomb, XML declaring entities, a PDF without text.
LoadedDocument readDocument(std::string_view bytes, const std::string &source,
                            TextEncoding encoding = TextEncoding::Auto);

// Reads a whole file; throws IoError with the path and the reason.
std::string readFileBytes(const std::string &path);

} // namespace yuedu::doc
