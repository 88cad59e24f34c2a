#include "wordstats/frequency.h"

#include "report/numberformat.h"
#include "wordstats/gradecode.h"

namespace yuedu::wordstats {
namespace {

PieceList cleanPieces(std::u16string_view text) {
    PieceList words;
    ScanPieces(text, PieceScan::Clean, words);
    return words;
}

} // namespace

double FrequencyResult::percent(std::size_t i) const {
    if (WordTotal <= 0 || i >= FreqCounts.size())
        return 0.0;
    return 100.0 * static_cast<double>(FreqCounts[i]) / static_cast<double>(WordTotal);
}

std::u16string FrequencyResult::percentText(std::size_t i) const {
    if (WordTotal <= 0 || i >= FreqCounts.size())
        return report::formatFixed(0.0f, 2);
    // The list keeps the single-precision rounding it has always shown.
    return report::formatFixed(report::percentOf(FreqCounts[i], WordTotal), 2);
}

std::u16string GradeResult::gradeText(std::size_t i) const {
    if (i >= GradeCodes.size())
        return {};
    return report::formatFixed(static_cast<float>(GradeCodes[i]) / 10.0f, 1);
}

FrequencyResult WordFrequency(std::u16string_view text) {
    return WordFrequency(cleanPieces(text));
}

FrequencyResult WordFrequency(PieceList words) {
    FrequencyResult r;
    r.WordTotal = static_cast<std::int64_t>(words.size());
    if (!words.empty())
        SortWords(words, 0, words.size() - 1);
    groupRuns(words, [&r](const std::u16string &word, std::int64_t length) {
        r.FreqWords.push_back(word);
        r.FreqCounts.push_back(length);
    });
    return r;
}

GradeResult VocabularyGrades(const LanguageData &data, std::u16string_view text) {
    return VocabularyGrades(data, cleanPieces(text));
}

GradeResult VocabularyGrades(const LanguageData &data, PieceList words) {
    GradeResult r;
    r.WordTotal = static_cast<std::int64_t>(words.size());
    if (!words.empty())
        SortWords(words, 0, words.size() - 1);
    const GradeCoder coder(data);
    groupRuns(words, [&](const std::u16string &word, std::int64_t length) {
        r.GradeWords.push_back(word);
        r.GradeCounts.push_back(length);
        r.GradeCodes.push_back(coder.gradeCode(word));
    });
    // The empty word sorts first, so it is the last run only when it is the only one: a text
    // of nothing but empty pieces has no grade rows.
    if (r.GradeWords.size() == 1 && r.GradeWords.front().empty())
        r = GradeResult{r.WordTotal, {}, {}, {}};
    return r;
}

} // namespace yuedu::wordstats
