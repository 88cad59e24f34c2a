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
    std::set<std::u16string> distinct;
    for (const WordCount &row : frequency.words) {
        const std::int64_t n = row.count;
        distinct.insert(row.word);
        if (n <= 0)
            fuzz::fail("a listed word that never occurs");
        sum += n;
    }
    if (sum != frequency.WordTotal)
        fuzz::fail("the frequencies do not add up to the word total");
    if (distinct.size() != frequency.words.size())
        fuzz::fail("a word listed twice");

    const GradeResult grades = VocabularyGrades(language, text);
    std::int64_t groupTokens = 0;
    for (const GradeGroupTotals &group : grades.groups)
        groupTokens += group.tokens;
    if (groupTokens != grades.graded.tokens || grades.graded.tokens > grades.WordTotal)
        fuzz::fail("the grade groups do not add up");

    PieceList words;
    ScanPieces(text, PieceScan::Raw, words);
    (void)SenseClasses(language, std::move(words));
    return 0;
}
