#pragma once
// Grade codes of words, in tenths of a school grade, from the five vocabulary grade lists.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "langdata/languagedata.h"

namespace yuedu::wordstats {

// Score of a character by its 1-based position in grade list 5 (0 = not in the list).
int characterScore(std::size_t position);

class GradeCoder {
public:
    // Indexes the lists once. A word matches only a whole entry (L characters at every
    // (L + 1)-th position). For a word of hanzi this is the same answer as a search for its
    // first occurrence anywhere in the list, since such a word cannot overlap a grade byte. A
    // plain search would also find a word that holds a grade byte's character ("K", a digit) at
    // a grade byte and take the hanzi after it, or the end of the list, for its code; such a
    // word is instead not found and its code is estimated from its characters.
    explicit GradeCoder(const LanguageData &data);

    // The grade code of w: the code of the first entry of list L (L = 1..4 characters) equal to
    // w; when there is none, or that code is 5, 5 plus the scores of w's characters, divided by
    // L (whole numbers, remainder dropped; the empty word keeps 5).
    std::int64_t gradeCode(std::u16string_view w) const;

    // 1-based position of c in list 5, 0 when absent.
    std::size_t rankOf(char16_t c) const { return m_rank[c]; }

private:
    std::array<std::unordered_map<std::u16string, int>, 4> m_entries;
    std::unique_ptr<std::array<std::uint16_t, 65536>> m_rankStore;
    const std::array<std::uint16_t, 65536> &m_rank;
};

} // namespace yuedu::wordstats
