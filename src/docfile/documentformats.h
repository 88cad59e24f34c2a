#pragma once
// The document formats besides plain text and RTF, recognised by content: PDF by its header,
// Word, OpenDocument and EPUB by what their zip container holds, web pages by their opening
// markup (or, having no signature of their own, by the extension .html, .htm or .xhtml).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "docfile/extractedtext.h"

namespace yuedu::doc {

struct FormattedText {
    DocumentFormat format;
    ExtractedText text;
};

// The text of a file in one of these formats, nullopt for any other file (plain text, RTF).
// Throws FormatError with the path when the file is of such a format (or an encrypted or older
// Office file) and cannot be read: encrypted, damaged, over the unpacking caps, declaring XML
// entities, without a text layer.
std::optional<FormattedText> readFormattedText(std::string_view bytes, const std::string &path);

// True when the first bytes of a file (a kilobyte is enough) and its name may make it one of
// these formats: then readFormattedText needs the whole file to tell.
bool mayBeFormattedText(std::string_view head, const std::string &path);

// The extensions of these formats, lower case with the dot, for file dialogs and folder
// searches: .docx .odt .epub .html .htm .xhtml .pdf
const std::vector<std::string> &formattedTextExtensions();

} // namespace yuedu::doc
