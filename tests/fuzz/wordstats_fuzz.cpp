// libFuzzer target: the word statistics on arbitrary segmented text. The frequencies add up to
// the word total and no word is listed twice; grades and sense classes take any
// words.
#include <cstdint>
#include <set>

#include "fuzzdata.h"
#include "wordstats/frequency.h"
#include "wordstats/senses.h"

using namespace yuedu;
using namespace yuedu::wordstats;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const LanguageData &language = fuzz::languageData();
    const std::u16string text = fuzz::fuzzText(data, size);

    const FrequencyResult frequency = WordFrequency(text);
    std::int64_t sum = 0;
    for (std::int64_t n : frequency.FreqCounts) {
        if (n <= 0)
            fuzz::fail("a listed word that never occurs");
        sum += n;
    }
    if (sum != frequency.WordTotal)
        fuzz::fail("the frequencies do not add up to the word total");
    if (std::set<std::u16string>(frequency.FreqWords.begin(), frequency.FreqWords.end()).size() !=
        frequency.FreqWords.size())
        fuzz::fail("a word listed twice");

    const GradeResult grades = VocabularyGrades(language, text);
    if (grades.GradeWords.size() != grades.GradeCodes.size() ||
        grades.GradeWords.size() != grades.GradeCounts.size())
        fuzz::fail("the grade columns differ in length");

    PieceList words;
    ScanPieces(text, PieceScan::Raw, words);
    (void)SenseClasses(language, std::move(words));
    return 0;
}
