#include "wordstats/frequency.h"

#include "report/numberformat.h"
#include "wordstats/gradecode.h"
#include "wordstats/gradetree.h"

namespace yuedu::wordstats {
namespace {

WordTally cleanPieces(std::u16string_view text) {
    WordTally tally;
    PieceStream stream(tally, false);
    stream.write(text);
    stream.finish();
    return tally;
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

FrequencyResult WordFrequency(const PieceList &words) {
    return WordFrequency(tallyOf(words));
}

FrequencyResult WordFrequency(const WordTally &tally) {
    FrequencyResult r;
    r.WordTotal = tally.total();
    const std::vector<WordTally::Entry> sorted = tally.sorted();
    r.words.reserve(sorted.size());
    for (const WordTally::Entry &e : sorted)
        r.words.push_back({std::u16string(e.word), e.count});
    return r;
}

GradeResult VocabularyGrades(const LanguageData &data, std::u16string_view text) {
    return VocabularyGrades(GradeCoder(data), cleanPieces(text));
}

GradeResult VocabularyGrades(const LanguageData &data, const PieceList &words) {
    return VocabularyGrades(GradeCoder(data), tallyOf(words));
}

GradeResult VocabularyGrades(const GradeCoder &coder, const WordTally &tally) {
    GradeResult r;
    r.WordTotal = tally.total();
    const std::vector<WordTally::Entry> sorted = tally.sorted();
    // The empty word sorts first, so it is the last run only when it is the only one: a text
    // of nothing but empty pieces has no grade rows.
    if (sorted.size() == 1 && sorted.front().word.empty())
        return r;
    r.words.reserve(sorted.size());
    for (const WordTally::Entry &e : sorted)
        r.words.push_back({std::u16string(e.word), e.count, coder.gradeCode(e.word)});
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
