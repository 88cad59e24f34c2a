#include "langdata/big5.h"

#include <array>
#include <memory>

#include "langdata/codepage950.h"

namespace yuedu {
namespace {

struct OrdinalTables {
    std::array<std::int16_t, 65536> ordinal{};
    std::array<char16_t, kTableChars> chars{};

    OrdinalTables() {
        const CodePage950 &cp = CodePage950::instance();
        for (std::uint32_t u = 0; u < 0x10000; ++u) {
            auto c = static_cast<char16_t>(u);
            std::uint16_t code = cp.code(c);
            int n = code >= 0x8000 ? big5ordinalOfCode(code) : -1;
            ordinal[u] = static_cast<std::int16_t>(n >= 0 && n < kTableChars ? n : -1);
        }
        // The hanzi proper: A440..C67E and C940..F9DC.
        for (std::uint32_t code = 0xA440; code <= 0xF9DC; ++code) {
            int lo = code & 0xFF;
            if (!((lo >= 0x40 && lo <= 0x7E) || (lo >= 0xA1 && lo <= 0xFE)))
                continue;
            if (code > 0xC67E && code < 0xC940)
                continue;
            int n = big5ordinalOfCode(static_cast<std::uint16_t>(code));
            if (n >= 0 && n < kTableChars)
                chars[n] = cp.unicodeOf(static_cast<std::uint16_t>(code));
        }
    }
};

const OrdinalTables &tables() {
    static const auto t = std::make_unique<OrdinalTables>();
    return *t;
}

} // namespace

std::int16_t big5ordinal(std::u16string_view s) {
    if (s.empty())
        return 0;
    return big5ordinalOfCode(CodePage950::instance().code(s.front()));
}

bool isDoubleByte(char16_t c) {
    return CodePage950::instance().isDoubleByte(c);
}

const std::int16_t *tableOrdinals() {
    return tables().ordinal.data();
}

char16_t charOfOrdinal(int ordinal) {
    if (ordinal < 0 || ordinal >= kTableChars)
        return u'\0';
    return tables().chars[ordinal];
}

} // namespace yuedu
