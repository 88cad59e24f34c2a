#include "wordstats/toolsort.h"

#include "wordstats/gradecode.h"
#include "wordstats/numberformat.h"

namespace yuedu {
namespace {

WordList takePieces(std::u16string &text) {
    WordList words;
    ScanPieces(text, PieceScan::Clean, words);
    // The caller's text is handed over: release it as soon as the pieces are cut.
    std::u16string().swap(text);
    return words;
}

} // namespace

void Toolsort::WordFrequency(std::u16string &text) {
    WordFrequency(takePieces(text));
}

void Toolsort::WordFrequency(WordList words) {
    WordTotal = static_cast<std::int64_t>(words.size());
    if (!words.empty())
        SortWords(words, 0, words.size() - 1);
    FreqWords.clear();
    FreqCounts.clear();
    groupRuns(words, [this](const std::u16string &word, std::int64_t length) {
        FreqWords.push_back(word);
        FreqCounts.push_back(length);
    });
    FreqWords.shrink_to_fit();
    FreqCounts.shrink_to_fit();
}

void Toolsort::VocabularyGrades(std::u16string &text) {
    VocabularyGrades(takePieces(text));
}

void Toolsort::VocabularyGrades(WordList words) {
    WordTotal = static_cast<std::int64_t>(words.size());
    if (!words.empty())
        SortWords(words, 0, words.size() - 1);
    GradeWords.clear();
    GradeCounts.clear();
    GradeCodes.clear();
    const GradeCoder coder(m_data);
    groupRuns(words, [&](const std::u16string &word, std::int64_t length) {
        GradeWords.push_back(word);
        GradeCounts.push_back(length);
        GradeCodes.push_back(coder.gradeCode(word));
    });
    // The empty word sorts first, so it is the last run only when it is the only one: a text
    // of nothing but empty pieces has no grade rows.
    if (GradeWords.size() == 1 && GradeWords.front().empty()) {
        GradeWords.clear();
        GradeCounts.clear();
        GradeCodes.clear();
    }
    GradeWords.shrink_to_fit();
    GradeCounts.shrink_to_fit();
    GradeCodes.shrink_to_fit();
}

float Toolsort::percent(std::size_t i) const {
    if (WordTotal <= 0 || i >= FreqCounts.size())
        return 0.0f;
    return percentOf(FreqCounts[i], WordTotal);
}

std::u16string Toolsort::percentText(std::size_t i) const {
    return formatFixed(percent(i), 2);
}

std::u16string Toolsort::gradeText(std::size_t i) const {
    if (i >= GradeCodes.size())
        return {};
    return formatFixed(static_cast<float>(GradeCodes[i]) / 10.0f, 1);
}

} // namespace yuedu
