#include "wordstats/gradecode.h"

#include <algorithm>

namespace yuedu::wordstats {

int characterScore(std::size_t position) {
    if (position == 0)
        return 85;
    static constexpr struct {
        std::size_t last;
        int score;
    } kBands[] = {{198, 20},  {364, 25},  {631, 30},  {982, 45},
                  {1403, 60}, {1951, 70}, {2567, 75}, {3523, 80}};
    for (const auto &band : kBands)
        if (position <= band.last)
            return band.score;
    return 85;
}

GradeCoder::GradeCoder(const LanguageData &data)
    : m_rankStore(std::make_unique<std::array<std::uint16_t, 65536>>()), m_rank(*m_rankStore) {
    for (std::size_t len = 1; len <= 4; ++len) {
        const std::u16string &list = data.GradeWordLists[len - 1];
        auto &entries = m_entries[len - 1];
        entries.reserve(list.size() / (len + 1) + 1);
        for (std::size_t at = 0; at + len < list.size(); at += len + 1)
            entries.try_emplace(list.substr(at, len), static_cast<int>(list[at + len]));
    }
    const std::u16string &ranks = data.GradeWordLists[4];
    auto &rank = *m_rankStore;
    // Positions are capped where 16 bits end; any such position already scores 85.
    for (std::size_t i = ranks.size(); i-- > 0;)
        rank[ranks[i]] = static_cast<std::uint16_t>(std::min<std::size_t>(i + 1, 65535));
}

std::int64_t GradeCoder::gradeCode(std::u16string_view w) const {
    const std::size_t len = w.size();
    std::int64_t g = 5;
    if (len >= 1 && len <= 4) {
        const auto &entries = m_entries[len - 1];
        auto found = entries.find(std::u16string(w));
        if (found != entries.end())
            g = found->second;
    }
    if (g == 5) {
        for (char16_t c : w)
            g += characterScore(m_rank[c]);
        if (len != 0)
            g /= static_cast<std::int64_t>(len);
    }
    return g;
}

} // namespace yuedu::wordstats
