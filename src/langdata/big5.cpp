#include "langdata/big5.h"

#include "langdata/codepage950.h"

namespace yuedu {
namespace cp950 {
// Generated at build time (codepage950gen.cpp): the character of every ordinal.
extern const char16_t kCharOfOrdinal[kTableChars];
} // namespace cp950

std::int16_t big5ordinal(std::u16string_view s) {
    if (s.empty())
        return 0;
    return big5ordinalOfCode(CodePage950::instance().code(s.front()));
}

bool isDoubleByte(char16_t c) {
    return CodePage950::instance().isDoubleByte(c);
}

char16_t charOfOrdinal(int ordinal) {
    if (ordinal < 0 || ordinal >= kTableChars)
        return u'\0';
    return cp950::kCharOfOrdinal[ordinal];
}

} // namespace yuedu
