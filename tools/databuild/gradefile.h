#pragma once
// Writer of gdphvbdn.byt, the vocabulary grade lists.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace yuedu::databuild {

// One entry of grade lists 1 to 4: a word of one to four hanzi and its grade code in tenths of a
// school grade (1..127; the code is stored as a single byte that must read as one character).
struct GradeEntry {
    std::u16string word;
    std::uint8_t code = 0;
};

struct GradeSources {
    // lists[i] holds the words of i + 1 characters (grade lists 1 to 4), in the order written.
    std::array<std::vector<GradeEntry>, 4> lists;
    // Grade list 5: up to 3000 distinct hanzi in rank order (most frequent first).
    std::u16string rankList;
};

struct GradeFileReport {
    std::array<std::size_t, 5> entries{};   // entries written to lists 1..5
    std::array<std::size_t, 5> bytesUsed{}; // bytes used of each list's capacity
    std::size_t duplicates = 0;             // repeated words or rank characters left out
};

// Capacity of list i (0..4) in entries: 2270, 11676, 3574, 1119 and 3000.
std::size_t gradeListCapacity(int list);

// Builds the 106279-byte image. A word of the wrong length for its list, a code outside 1..127,
// a character that is not a double-byte Big5 character, or more entries than a list holds
// throws FormatError naming the list ("grade list 2", ...). A repeated word (or rank character)
// is written once, at its first place, since only the first occurrence can ever be found.
std::string buildGradeFile(const GradeSources &sources, GradeFileReport *report = nullptr);

} // namespace yuedu::databuild
