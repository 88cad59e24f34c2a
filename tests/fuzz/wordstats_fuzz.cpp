// libFuzzer target: the word statistics on arbitrary segmented text. The frequencies add up to
// the word total and no word is listed twice; grades and sense classes take any
// words.
#include <cstdint>
#include <set>

#include "fuzzdata.h"
#include "wordstats/phsyn.h"
#include "wordstats/toolsort.h"

using namespace yuedu;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const LanguageData &language = fuzz::languageData();
    const std::u16string text = fuzz::fuzzText(data, size);

    Toolsort toolsort(language);
    std::u16string consumed = text;
    toolsort.WordFrequency(consumed);
    std::int64_t sum = 0;
    for (std::int64_t n : toolsort.FreqCounts) {
        if (n <= 0)
            fuzz::fail("a listed word that never occurs");
        sum += n;
    }
    if (sum != toolsort.WordTotal)
        fuzz::fail("the frequencies do not add up to the word total");
    if (std::set<std::u16string>(toolsort.FreqWords.begin(), toolsort.FreqWords.end()).size() !=
        toolsort.FreqWords.size())
        fuzz::fail("a word listed twice");

    consumed = text;
    toolsort.VocabularyGrades(consumed);
    if (toolsort.GradeWords.size() != toolsort.GradeCodes.size() ||
        toolsort.GradeWords.size() != toolsort.GradeCounts.size())
        fuzz::fail("the grade columns differ in length");

    WordList words;
    ScanPieces(text, PieceScan::Raw, words);
    Phsyn phsyn(language);
    phsyn.SenseClasses(std::move(words));
    return 0;
}
