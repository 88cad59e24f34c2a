#pragma once
// A document's file as the desktop program reads and writes it: the bytes of the file, how
// they were written (RTF, or plain text in an encoding with or without a byte-order mark and
// CR LF line ends), and a safe way to write them back.
#include <cstdint>
#include <string>
#include <string_view>

#include "docfile/documentreader.h"
#include "langdata/textcodec.h"

namespace yuedu::doc {

// How a document's file is written, so that saving keeps it that way.
struct FileFormat {
    DocumentKind kind = DocumentKind::Rtf;
    TextEncoding encoding = TextEncoding::Utf8; // plain text only
    bool bom = false;                           // plain text that began with a byte-order mark
    bool crlf = false;                          // plain text with CR LF line ends

    bool plainText() const { return kind == DocumentKind::PlainText; }
    bool operator==(const FileFormat &) const = default;
};

struct DocumentFile {
    LoadedDocument content;
    FileFormat format;
};

// Reads and decodes a file. Throws IoError with the reason (a folder, a missing file, no
// permission, more than maxBytes or more than memory holds) or FormatError (see readDocument).
DocumentFile readDocumentFile(const std::string &path, TextEncoding encoding = TextEncoding::Auto,
                              std::uintmax_t maxBytes = UINTMAX_MAX);

// The plain-text bytes of a text in the format's encoding, line ends and byte-order mark:
// the counterpart of decodeText. Paragraph breaks are '\n' in `text`. *unmapped (if given)
// counts the characters the encoding has no code for, other than U+FFFD, which stood for
// undecodable bytes already; it counts characters, not UTF-16 units.
std::string encodePlainText(std::u16string_view text, const FileFormat &format,
                            std::size_t *unmapped = nullptr);

// The number of characters of a UTF-16 text (a surrogate pair is one).
std::size_t characterCount(std::u16string_view text);

struct WriteOutcome {
    // The folder could not take a new file, so the file itself was overwritten.
    bool inPlace = false;
    // Where the old content was copied first when written in place; empty when it was not.
    std::string backup;
};

// Writes the bytes through a temporary file in the same folder that then replaces the file,
// keeping its permissions: a failure leaves the old file intact. When the folder may not be
// written but the file may, the file is written in place after a copy of it goes to backupDir
// (when that is possible). Throws IoError with the path and the reason.
WriteOutcome writeFileSafely(const std::string &path, std::string_view bytes,
                             const std::string &backupDir = {});

} // namespace yuedu::doc
