#pragma once
// The Big5 ordinal: a dense 0-based number of a Big5 hanzi, the key of every per-character
// table. 0..5400 are the frequent hanzi A440..C67E, 5401..13052 the less frequent C940..F9D5,
// 13053..13059 the seven extra hanzi F9D6..F9DC.
#include <cstdint>
#include <string_view>

namespace yuedu {

inline constexpr int kTableChars = 13060;

// Ordinal of a double-byte Big5 code, by the arithmetic of the tables. Only meaningful for
// codes 0x8000 and above; symbols give negative values, user-defined codes values above 13059.
constexpr std::int16_t big5ordinalOfCode(std::uint16_t code) {
    int hi = code >> 8;
    int lo = code & 0xFF;
    int row = hi - 164;
    int col = lo <= 126 ? lo - 64 : lo - 98;
    int raw = row * 157 + col;
    if (raw > 5400)
        raw -= 408;
    return static_cast<std::int16_t>(raw);
}

// Ordinal of the first character of s (through code page 950). The result is only meaningful
// when that character is double-byte; callers test that first.
std::int16_t big5ordinal(std::u16string_view s);

// True for a double-byte character (code page 950 code 0x8000 or above).
bool isDoubleByte(char16_t c);

namespace cp950 {
// Generated at build time (codepage950gen.cpp): the ordinal of every UTF-16 unit, -1 for none.
extern const std::int16_t kOrdinal[65536];
} // namespace cp950

// The ordinal of every UTF-16 unit as tableOrdinal gives it, 65536 of them.
inline const std::int16_t *tableOrdinals() {
    return cp950::kOrdinal;
}

// Ordinal of c when it is a table character (double-byte, ordinal 0..13059), else -1.
// One table read: this is what the analyses use at every character.
inline int tableOrdinal(char16_t c) {
    return cp950::kOrdinal[c];
}

inline bool isTableChar(char16_t c) {
    return tableOrdinal(c) >= 0;
}

// The Unicode character of a table ordinal (inverse of tableOrdinal for the usual hanzi;
// ordinals 4993..5400 also stand for the private-use codes C6A1..C8FE, which this does not give).
char16_t charOfOrdinal(int ordinal);

} // namespace yuedu
