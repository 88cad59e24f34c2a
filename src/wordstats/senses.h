#pragma once
// Sense classes: the distinct words of a segmented text sorted into the 95 classes of the sense
// dictionary (the first two tables of phwdvbdn.byt). Occurrences are not counted.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "langdata/languagedata.h"
#include "wordstats/wordlist.h"

namespace yuedu::wordstats {

inline constexpr int kSenseClassCount = 95;

struct SenseResult {
    // Number of pieces of the text.
    std::int64_t WordTotal = 0;
    // The distinct pieces, ascending (the empty piece included).
    std::vector<std::u16string> words;
    // SenseClassLists[c - 1]: the words of sense class c (1..95), ascending, each followed by CR
    // LF.
    std::array<std::u16string, kSenseClassCount> SenseClassLists;

    // Number of distinct words that have a class.
    std::int64_t classifiedCount() const;
};

// Classifies the distinct words of text. The words are cut as for the frequency (a line break
// before a word is not part of it), so a word is classified wherever the lines break.
SenseResult SenseClasses(const LanguageData &data, std::u16string_view text);
// The same over pieces already cut with PieceScan::Clean, or counted.
SenseResult SenseClasses(const LanguageData &data, const PieceList &words);
SenseResult SenseClasses(const LanguageData &data, const WordTally &tally);

// The sense class (1..95) of w, 0 when it has none. The first record of the dictionary whose
// characters equal w decides, also when its class byte says "no class".
int senseClassOf(const LanguageData &data, std::u16string_view w);

} // namespace yuedu::wordstats
