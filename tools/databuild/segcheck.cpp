#include "databuild/segcheck.h"

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"

namespace yuedu::databuild {
namespace {

std::u16string decodeGroup(std::string_view image, std::size_t entryAt, std::size_t tableAt,
                           std::size_t tableSize) {
    if (entryAt + 5 > image.size())
        return {};
    const auto *e = reinterpret_cast<const std::uint8_t *>(image.data() + entryAt);
    const std::size_t start = layout::be24(e), length = layout::be16(e + 3);
    if (start == 0 || start + length - 1 > tableSize || tableAt + start - 1 + length > image.size())
        return {};
    const CodePage950 &cp = CodePage950::instance();
    std::u16string out;
    const auto *g = reinterpret_cast<const std::uint8_t *>(image.data() + tableAt + start - 1);
    const std::size_t room = tableSize - (start - 1); // bytes from the group to the table end
    for (std::size_t i = 0; i < length; i += 2) {
        // An odd length reads one byte past the group, as the lookup does.
        const std::uint8_t a = g[i], b = i + 1 < room ? g[i + 1] : 0;
        if (a >= 0x80) {
            out.push_back(cp.unicodeOf(static_cast<std::uint16_t>(a << 8 | b)));
        } else {
            out.push_back(a);
            out.push_back(b);
        }
    }
    return out;
}

} // namespace

SegDictionaryReader::SegDictionaryReader(std::string_view image)
    : m_short(kTableChars), m_long(kTableChars) {
    const std::size_t wordAt = layout::kSegIndexSize;
    const std::size_t auxAt = wordAt + layout::kSegWordSize;
    for (int n = 0; n < kTableChars; ++n) {
        m_short[n] = decodeGroup(image, 5 * n, wordAt, layout::kSegWordSize);
        m_long[n] = decodeGroup(image, layout::kSegAuxBlock + 5 * n, auxAt, layout::kSegAuxSize);
    }
}

bool SegDictionaryReader::holds(std::u16string_view word) const {
    if (word.size() < 2 || word.size() > 4)
        return false;
    const int n = tableOrdinal(word[0]);
    if (n < 0)
        return false;
    if (word.size() == 2)
        return m_short[n].find(word[1]) != std::u16string::npos;
    const std::size_t at = m_long[n].find(word.substr(1));
    if (word.size() == 4)
        return at != std::u16string::npos;
    return at != std::u16string::npos && at % 2 == 0; // 1-based position odd
}

} // namespace yuedu::databuild
