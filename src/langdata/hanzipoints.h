#pragma once
// The points a byte that the guess of a text's encoding gives one character of a reading: the
// frequent hanzi most, the other hanzi of the first level of Big5 or of GB2312 less, other
// hanzi, CJK punctuation and the common signs a little, letters of other scripts next to
// nothing, replacement and control characters against it. tier is the character's tier of
// hanzi (3 frequent, 2 the first level of GB2312), ordinal its Big5 ordinal (-1 for none); cp
// beyond the BMP are the extension hanzi and the other planes. Shared with the build tool that
// tabulates it for the BMP.
#include <cstdint>

namespace yuedu {

inline double hanziPoints(char32_t cp, std::uint8_t tier, int ordinal) {
    if (cp < 0x80)
        return (cp < 0x20 && cp != u'\t' && cp != u'\n' && cp != u'\r' && cp != u'\f') || cp == 0x7F
                   ? -3
                   : 0;
    // The ideographic planes hold only hanzi, and a wrong reading rarely lands there (it takes
    // a well-formed pair of surrogates, or four bytes of UTF-8): they count as the everyday
    // hanzi do. Other planes little.
    if (cp >= 0x10000)
        return cp >= 0x20000 && cp <= 0x3FFFF ? 2 : 0.5;
    const auto c = static_cast<char16_t>(cp);
    if (c == u'\uFFFD' || c < 0xA0 || (c >= 0xD800 && c <= 0xDFFF))
        return -3; // a replacement, a C1 control, half a surrogate pair
    if ((tier & 3) == 3)
        return 3;
    if ((ordinal >= 0 && ordinal <= 5400) || (tier & 3) == 2)
        return 2;
    if (ordinal >= 0 || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
        (c >= 0x3000 && c <= 0x312F) || (c >= 0xFF00 && c <= 0xFFEF) ||
        (c >= 0x2000 && c <= 0x2BFF) || (c >= 0xF900 && c <= 0xFAFF))
        return 1; // other hanzi, CJK punctuation, full-width forms, signs and symbols
    if (c >= 0xE000 && c <= 0xF8FF)
        return -2; // user-defined Big5 and GBK codes land here: rare in real text
    if (c < 0x250)
        return 0.5; // accented Latin letters and Latin-1 signs of a UTF-8 text
    return 0;
}

} // namespace yuedu
