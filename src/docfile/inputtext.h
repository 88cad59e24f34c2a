#pragma once
// One input text of the command line and the Python package: a named file (or standard input,
// "-") read whole and turned into text the one way every command does it. Word, OpenDocument,
// EPUB, web pages and PDF by their content, RTF (a saved result) as a document, anything else
// decoded as plain text in the encoding asked for or the one guessed. What the reader noticed
// comes back as notices for the caller to show in its own way.
#include <string>
#include <vector>

#include "langdata/textcodec.h"

namespace yuedu::doc {

struct InputNotice {
    enum class Kind {
        Warning, // the text may not be what the file holds (a guess, replacements, cut off)
        Note,    // what a format reader left out
    };
    Kind kind;
    std::string message; // starts with the name of the input
};

struct InputText {
    std::string name; // path, or "-" for standard input
    std::u16string text;
    std::vector<InputNotice> notices;
};

// Reads and converts one input. Throws IoError with the path and the reason when it cannot be
// read, FormatError for a file of one of the other formats that cannot be read.
InputText readInputText(const std::string &name, TextEncoding encoding);

// The bytes of one named file, or of standard input for "-". Throws IoError with the path and
// the system's reason (a folder is refused as one).
std::string readInputBytes(const std::string &name);

// Throws IoError when the decoding found bytes that are no text (a program, an image, a format
// Yuedu does not read) and no encoding was asked for: such bytes are never analysed.
void refuseBinary(const std::string &name, const DecodedText &decoded, TextEncoding asked);

// The warning about a decoded file (empty for a clean, clear-cut reading), starting with name.
std::string decodingWarning(const std::string &name, const DecodedText &decoded);

} // namespace yuedu::doc
