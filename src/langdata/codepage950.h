#pragma once
// Code page 950 (Big5 as Windows has it, with its private-use area), as ICU's
// "windows-950-2000" table has it. Both directions are 64K tables generated from ICU when the
// program is built, so a character's Big5 code is one array read and nothing is computed at start.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace yuedu {

class CodePage950 {
public:
    static const CodePage950 &instance();

    // Big5 code of a UTF-16 unit: lead byte * 256 + trail byte for a double-byte character,
    // the byte itself for a single-byte one, 0 when code page 950 has no mapping (a lone
    // surrogate, a character outside Big5).
    std::uint16_t code(char16_t c) const { return m_toCode[c]; }
    bool isDoubleByte(char16_t c) const { return m_toCode[c] >= 0x8000; }

    // Unicode of a double-byte code; U+FFFD when the code has no mapping.
    char16_t unicodeOf(std::uint16_t code) const { return m_toUnicode[code]; }

    // Whole-buffer conversions. decode() never fails: unmapped bytes become U+FFFD.
    std::u16string decode(std::string_view bytes) const;
    // The same into out, whose memory is used again; gives the number of U+FFFD written.
    std::size_t decode(std::string_view bytes, std::u16string &out) const;
    // decode() of the characters that start from i up to limit (a pair may end one byte past
    // it), written at o (one unit a byte at most); counts the U+FFFD written in replaced and
    // gives where the next character starts.
    std::size_t decodeRun(std::string_view bytes, std::size_t i, std::size_t limit, char16_t *&o,
                          std::size_t &replaced) const;
    // encode() writes '?' for characters without a mapping and counts them in *unmapped.
    std::string encode(std::u16string_view text, std::size_t *unmapped = nullptr) const;

private:
    CodePage950();
    const std::uint16_t *m_toCode;
    const char16_t *m_toUnicode;
};

} // namespace yuedu
