#include "wordstats/frequency.h"

#include "report/numberformat.h"
#include "wordstats/gradecode.h"
#include "wordstats/gradetree.h"

namespace yuedu::wordstats {
namespace {

PieceList cleanPieces(std::u16string_view text) {
    PieceList words;
    ScanPieces(text, PieceScan::Clean, words);
    return words;
}

} // namespace

double FrequencyResult::percent(std::size_t i) const {
    if (WordTotal <= 0 || i >= words.size())
        return 0.0;
    return 100.0 * static_cast<double>(words[i].count) / static_cast<double>(WordTotal);
}

std::u16string FrequencyResult::percentText(std::size_t i) const {
    if (WordTotal <= 0 || i >= words.size())
        return report::formatFixed(0.0f, 2);
    // The list keeps the single-precision rounding it has always shown.
    return report::formatFixed(report::percentOf(words[i].count, WordTotal), 2);
}

std::u16string GradeResult::gradeText(std::size_t i) const {
    if (i >= words.size())
        return {};
    return report::formatFixed(static_cast<float>(words[i].code) / 10.0f, 1);
}

double GradeResult::typeShare(int group) const {
    if (group < 0 || group >= kGradeGroupCount || graded.types <= 0)
        return 0.0;
    return static_cast<double>(groups[static_cast<std::size_t>(group)].types) /
           static_cast<double>(graded.types);
}

double GradeResult::tokenShare(int group) const {
    if (group < 0 || group >= kGradeGroupCount || graded.tokens <= 0)
        return 0.0;
    return static_cast<double>(groups[static_cast<std::size_t>(group)].tokens) /
           static_cast<double>(graded.tokens);
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
        r.words.push_back({word, length});
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
        r.words.push_back({word, length, coder.gradeCode(word)});
    });
    // The empty word sorts first, so it is the last run only when it is the only one: a text
    // of nothing but empty pieces has no grade rows.
    if (r.words.size() == 1 && r.words.front().word.empty())
        r.words.clear();
    for (const GradedWord &w : r.words) {
        const int node = gradeGroupNode(w.code);
        if (w.word.empty() || node < 2)
            continue;
        GradeGroupTotals &group = r.groups[static_cast<std::size_t>(node - 2)];
        group.types += 1;
        group.tokens += w.count;
        r.graded.types += 1;
        r.graded.tokens += w.count;
    }
    return r;
}

} // namespace yuedu::wordstats
