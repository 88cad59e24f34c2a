#pragma once
// Plain-text decoding of files: byte-order marks, UTF-8, UTF-16, UTF-32, code page 950 and
// GB18030, and UTF-8 output.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace yuedu {

// Gb18030 also reads GBK and GB2312 (Simplified Chinese), of which it is a superset.
enum class TextEncoding { Auto, Big5, Utf8, Utf16LE, Utf16BE, Gb18030, Utf32LE, Utf32BE };

// Decodes a plain-text file. Auto: a UTF-8, UTF-16 or UTF-32 byte-order mark decides; without
// one the bytes are read as UTF-8, as code page 950, as GB18030 and, when the placement of their
// zero bytes or high bytes says they may be, as UTF-16 or UTF-32; the reading that looks most
// like ordinary Chinese text wins: frequent hanzi (Traditional or Simplified) count for it,
// replaced bytes and control characters against it, each for the bytes it was read from, and
// ICU's charset detector adds its confidence in each. A close call, or a text that repeats too
// few different characters to tell by, is called a guess (DecodedText::ambiguous). A UTF-8 text
// with a few bad or cut bytes thus stays UTF-8. The mark is dropped; bytes that cannot be decoded
// become U+FFFD. *detected (if given) receives the encoding that was used.
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
    std::size_t controls = 0; // control characters in text (but tabs, line ends and form feeds)
};

// Decodes a plain-text file and says how sure the guess was. With an explicit encoding the
// bytes are read in it and only the replacements are counted.
DecodedText decodeTextDetailed(std::string_view bytes, TextEncoding encoding = TextEncoding::Auto);

// UTF-16 or UTF-32, whose units are wider than a byte.
constexpr bool isWideEncoding(TextEncoding e) {
    return e == TextEncoding::Utf16LE || e == TextEncoding::Utf16BE || e == TextEncoding::Utf32LE ||
           e == TextEncoding::Utf32BE;
}

// The encoding decodeTextDetailed reads bytes in and whether that is a guess to mention (its
// encoding and ambiguous), without decoding them.
struct EncodingChoice {
    TextEncoding encoding = TextEncoding::Utf8;
    bool ambiguous = false;
};
EncodingChoice chooseEncoding(std::string_view bytes, TextEncoding encoding = TextEncoding::Auto);

// The rest of decodeTextDetailed once the encoding is chosen: bytes decoded in encoding (not
// Auto) into d, whose text keeps its memory for the next call; binary judged as for a guess
// when guessed. d.encoding and d.ambiguous are left as they are.
void decodeTextInto(std::string_view bytes, TextEncoding encoding, bool guessed, DecodedText &d);

// The encoding a user names: auto, big5 (cp950), utf8, utf16le, utf16be, gb18030 (gbk,
// gb2312), utf32le or utf32be, with or without hyphens, in any case; none for any other name.
std::optional<TextEncoding> encodingFromName(std::string_view name);

// "Big5", "UTF-8", "UTF-16LE", "UTF-16BE", "GB18030", "UTF-32LE", "UTF-32BE" ("auto" for Auto).
const char *encodingName(TextEncoding encoding);

// Whether the encoding is one of Simplified Chinese (a text read in it may want converting).
inline bool isSimplifiedEncoding(TextEncoding encoding) {
    return encoding == TextEncoding::Gb18030;
}

// Encodes text in the encoding (Auto: code page 950). Characters the encoding cannot hold
// become '?' and are counted in *unmapped; UTF-16 and UTF-32 get no byte-order mark.
std::string encodeText(std::u16string_view text, TextEncoding encoding,
                       std::size_t *unmapped = nullptr);

bool isValidUtf8(std::string_view bytes);

std::string toUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD; characters beyond the BMP become surrogate pairs.
std::u16string fromUtf8(std::string_view bytes);

} // namespace yuedu
