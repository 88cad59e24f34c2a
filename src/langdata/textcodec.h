#pragma once
// Plain-text decoding of files: byte-order marks, UTF-8 and code page 950, and UTF-8 output.
#include <string>
#include <string_view>

namespace yuedu {

enum class TextEncoding { Auto, Big5, Utf8, Utf16LE, Utf16BE };

// Decodes a plain-text file. Auto: a UTF-8 or UTF-16 byte-order mark, or bytes that are valid
// UTF-8 throughout, mean Unicode; anything else is code page 950. The mark is dropped.
// *detected (if given) receives the encoding that was used.
std::u16string decodeText(std::string_view bytes, TextEncoding encoding = TextEncoding::Auto,
                          TextEncoding* detected = nullptr);

bool isValidUtf8(std::string_view bytes);

std::string toUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD; characters beyond the BMP become surrogate pairs.
std::u16string fromUtf8(std::string_view bytes);

} // namespace yuedu
