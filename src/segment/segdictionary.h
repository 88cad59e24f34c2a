#pragma once
// The segmentation dictionary of dpphvbdn.byt as the segmenter asks it: is there a
// two-character word here (LookupTwoCharWord), and one of three or four characters
// (LookupLongWord).
//
// The answers are exactly those of searching the decoded group string of the first character:
// a probe matches anywhere in the group, across the boundaries of the stored tails too, and a
// three-character word counts only where its tail is first found at an odd position. They come
// from two flat open-addressing tables of packed keys built at load in one pass, so a lookup is
// one or two probes whatever the group sizes:
//  - the two-character table maps (group, character) to the character's first position;
//  - the long-word table holds every substring of one to three characters of each group, the
//    two-character ones marked with the parity of their first position.
//
// Entries that point at the same stretch of a table share one indexed group, so a damaged file
// that points every character at one long group costs no more than a sound one. Groups that
// overlap otherwise are indexed until the index holds as many characters as the table has bytes;
// the remaining ones are decoded and searched at each lookup instead.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu {
class LanguageData;
}

namespace yuedu::seg {

class SegDictionary {
public:
    explicit SegDictionary(const LanguageData &data);

    // TwoCharHit: the 1-based position of the second character of p in the group of two-character
    // words of its first character, 0 when absent (or p empty, or its first character no table
    // character). A one-character p gives 1 when the group holds anything.
    int LookupTwoCharWord(std::u16string_view p) const;

    // LongMatchLen: 4 when characters 2 to 4 of p (as many as it has) occur in the group of
    // longer words of its first character; else 3 when characters 2 to 3 are first found there
    // at an odd position; else 0.
    int LookupLongWord(std::u16string_view p) const;

private:
    // A power-of-two array of 64-bit slots (0 = free), sized once before filling. The slots are
    // fresh zero pages (huge pages where the system gives them), so a large table costs
    // neither a pass of clearing nor thousands of page faults.
    struct FlatTable {
        struct Release {
            std::size_t bytes;
            void operator()(std::uint64_t *p) const;
        };
        std::unique_ptr<std::uint64_t[], Release> slots;
        std::size_t mask = 0;
        int shift = 64;
        void size(std::size_t keys);
        std::size_t home(std::uint64_t key) const {
            return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift);
        }
    };

    // Per ordinal: 0 no group, kDirect searched at lookup, else the 1-based indexed group.
    static constexpr std::uint16_t kDirect = 0xFFFF;

    // A word table with the groups that are searched directly.
    struct DirectGroups {
        std::vector<std::uint8_t> table;   // a copy, only when some group needs it
        std::vector<std::uint8_t> entries; // the five index bytes of each ordinal
        std::u16string decode(int ordinal) const;
    };

    void addGroups(const LanguageData &data, bool aux);
    std::uint32_t wordPosition(std::uint16_t group, char16_t c) const;
    // 0 absent, else 1 + (1 when a two-character key is first found at an odd position).
    int longKey(std::uint64_t key) const;

    std::vector<std::uint16_t> m_wordGroup; // per ordinal, its two-character group
    std::vector<std::uint16_t> m_auxGroup;  // the same for the group of longer words
    FlatTable m_words, m_aux;
    DirectGroups m_wordDirect, m_auxDirect;
};

} // namespace yuedu::seg
