#pragma once
// The segmentation dictionary of dpphvbdn.byt as the segmenter asks it: is there a
// two-character word here (LookupTwoCharWord), and one of three or four characters
// (LookupLongWord).
//
// Each group of the word tables is decoded once, when the dictionary is built, into an index
// of the first position of every one-, two- and three-character substring of the decoded group.
// The answers are exactly those of searching the decoded group string: a probe matches anywhere
// in the group, across the boundaries of the stored tails too, and a three-character word
// counts only where its tail is first found at an odd position.
//
// Groups normally lie side by side, so the index holds about as many characters as the tables.
// A damaged file may point many characters at the same long stretch; the index then stops
// growing once it holds as many characters as the table has bytes, and the remaining groups
// are decoded and searched at each lookup instead.
#include <cstdint>
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
    // Open-addressing map from a packed (ordinal, substring) key to its first 1-based position.
    class PositionIndex {
    public:
        void reserve(std::size_t entries);
        void insertFirst(std::uint64_t key, std::uint32_t position);
        std::uint32_t find(std::uint64_t key) const;

    private:
        void grow();
        struct Slot {
            std::uint64_t key = 0; // 0 = free
            std::uint32_t position = 0;
        };
        std::vector<Slot> m_slots;
        std::size_t m_size = 0;
        std::size_t m_mask = 0;
    };

    // Per ordinal, what its group is: none (or unreadable), in the index, or searched directly.
    enum GroupState : std::uint8_t { NoGroup, Indexed, Direct };

    // A word table with the groups that are searched directly.
    struct DirectGroups {
        std::vector<std::uint8_t> table;   // a copy, only when some group needs it
        std::vector<std::uint8_t> entries; // the five index bytes of each ordinal
        std::u16string decode(int ordinal) const;
    };

    static std::uint64_t key(int ordinal, std::u16string_view s);
    void addGroups(const LanguageData &data, bool aux);

    std::vector<GroupState> m_wordGroup; // per ordinal, its two-character group
    std::vector<GroupState> m_auxGroup;  // the same for the group of longer words
    PositionIndex m_words;               // substrings of length 1 of the two-character groups
    PositionIndex m_aux;                 // substrings of length 1..3 of the longer groups
    DirectGroups m_wordDirect, m_auxDirect;
};

} // namespace yuedu::seg
