#pragma once
// Turns the bytes of a document file into a RichDocument: RTF with its formatting, anything
// else as plain text (Unicode when it has a byte-order mark or is valid UTF-8, else code page
// 950).
#include <string>
#include <string_view>

#include "docfile/richdocument.h"

namespace yuedu::doc {

enum class DocumentKind { Rtf, PlainText };

struct LoadedDocument {
    RichDocument document;
    DocumentKind kind = DocumentKind::PlainText;
    bool truncated = false; // an RTF file that ended inside a group
};

LoadedDocument readDocument(std::string_view bytes, const std::string &source);

// Reads a whole file; throws IoError with the path and the reason.
std::string readFileBytes(const std::string &path);

} // namespace yuedu::doc
