#pragma once
// Plain-text decoding of files: byte-order marks, UTF-8 and code page 950, and UTF-8 output.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace yuedu {

enum class TextEncoding { Auto, Big5, Utf8, Utf16LE, Utf16BE };

// Decodes a plain-text file. Auto: a UTF-8 or UTF-16 byte-order mark decides; without one the
// bytes are read as UTF-8, as code page 950 and (when zero bytes fall mostly on one parity) as
// UTF-16, and the reading that looks most like ordinary Traditional Chinese text wins: frequent
// hanzi count for it, replaced bytes and control characters against it. A UTF-8 text with a few
// bad or cut bytes thus stays UTF-8. The mark is dropped; bytes that cannot be decoded become
// U+FFFD. *detected (if given) receives the encoding that was used.
std::u16string decodeText(std::string_view bytes, TextEncoding encoding = TextEncoding::Auto,
                          TextEncoding *detected = nullptr);

// What decoding a plain-text file found out, for the messages the programs give about it.
struct DecodedText {
    std::u16string text;
    TextEncoding encoding = TextEncoding::Utf8; // the encoding the text was read in
    std::size_t replaced = 0;                   // invalid or cut byte sequences that became U+FFFD
    bool ambiguous =
        false;           // the bytes made sense in more than one encoding, or the choice was close
    bool binary = false; // NUL bytes or mostly undecodable: probably not a text file
};

// Decodes a plain-text file and says how sure the guess was. With an explicit encoding the
// bytes are read in it and only the replacements are counted.
DecodedText decodeTextDetailed(std::string_view bytes, TextEncoding encoding = TextEncoding::Auto);

// The encoding a user names: auto, big5 (or cp950), utf8 (utf-8), utf16le (utf-16le) or
// utf16be (utf-16be); none for any other name.
std::optional<TextEncoding> encodingFromName(std::string_view name);

// "Big5", "UTF-8", "UTF-16LE", "UTF-16BE" ("auto" for Auto).
const char *encodingName(TextEncoding encoding);

bool isValidUtf8(std::string_view bytes);

std::string toUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD; characters beyond the BMP become surrogate pairs.
std::u16string fromUtf8(std::string_view bytes);

} // namespace yuedu
