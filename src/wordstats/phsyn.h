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

namespace yuedu {

inline constexpr int kSenseClassCount = 95;

class Phsyn {
public:
    explicit Phsyn(const LanguageData &data) : m_data(data) {}

    // Number of pieces of the latest text.
    std::int64_t WordTotal = 0;
    // The distinct pieces of the latest text, ascending (the empty piece included).
    std::vector<std::u16string> FreqWords;
    // SenseClassLists[c - 1]: the words of sense class c (1..95), ascending, each followed by
    // CR LF.
    std::array<std::u16string, kSenseClassCount> SenseClassLists;

    // Classifies the distinct words of text, cut without trimming (a word after a line break
    // keeps the break and is left unclassified). text is empty on return.
    void SenseClasses(std::u16string &text);
    // The same over pieces already cut with PieceScan::Raw.
    void SenseClasses(WordList words);

    // Appends w to the list of its class, if it has one.
    void ClassifyWord(std::u16string_view w);

    // The sense class (1..95) of w, 0 when it has none. The first record of the dictionary
    // whose characters equal w decides, also when its class byte says "no class".
    int senseClassOf(std::u16string_view w) const;

private:
    const LanguageData &m_data;
};

} // namespace yuedu
