#pragma once
// Hanzi beyond the tables: the ideographs Unicode has that code page 950 does not (Hong Kong
// characters such as 邨 咗 嘅, names such as 堃 喆, the extensions beyond the BMP). They are
// hanzi of the text like any other; they only have no record in the data.
#include <cstddef>
#include <string_view>

#include "langdata/big5.h"

namespace yuedu {

// CJK Unified Ideographs and Extension A, the compatibility ideographs, the two ideographic
// planes (Extensions B onwards and the compatibility supplement), and 〇 (U+3007, the zero of
// years written in hanzi such as 二〇二六), which code page 950 lacks too.
constexpr bool isHanziCodePoint(char32_t c) {
    return c == 0x3007 || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFD);
}

// The length in UTF-16 units (1, or 2 for a surrogate pair) of the hanzi without a table
// record that starts at text[i]; 0 when none starts there (a table character, anything else).
inline std::size_t extraHanziAt(std::u16string_view text, std::size_t i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
        if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
            return 0;
        const char32_t cp = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        return isHanziCodePoint(cp) ? 2 : 0;
    }
    return isHanziCodePoint(c) && !isTableChar(c) ? 1 : 0;
}

// The hanzi without a table record in text, repeats counted, and the distinct ones.
struct ExtraHanziCount {
    std::size_t total = 0;
    std::size_t distinct = 0;
};
ExtraHanziCount countExtraHanzi(std::u16string_view text);

} // namespace yuedu
