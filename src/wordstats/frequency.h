#pragma once
// Word frequency and vocabulary grade levels of a segmented text. Each analysis returns one
// value holding everything a window, an export or the command line shows of it; nothing is
// kept between runs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "langdata/languagedata.h"
#include "wordstats/wordlist.h"

namespace yuedu {

struct FrequencyResult {
    // Number of words of the text, empty pieces included.
    std::int64_t WordTotal = 0;
    // The distinct words in ascending order and how often each occurs.
    std::vector<std::u16string> FreqWords;
    std::vector<std::int64_t> FreqCounts;

    std::size_t size() const { return FreqWords.size(); }
    bool empty() const { return FreqWords.empty(); }
    // Row i (0-based): its share of all words in percent, at full precision, and as the list
    // shows it ("#0.00").
    double percent(std::size_t i) const;
    std::u16string percentText(std::size_t i) const;
};

struct GradeResult {
    std::int64_t WordTotal = 0;
    // The distinct words in ascending order, their counts and grade codes (23 is grade 2.3).
    std::vector<std::u16string> GradeWords;
    std::vector<std::int64_t> GradeCounts;
    std::vector<std::int64_t> GradeCodes;

    std::size_t size() const { return GradeWords.size(); }
    bool empty() const { return GradeWords.empty(); }
    // Row i (0-based): the grade as "#0.0" text.
    std::u16string gradeText(std::size_t i) const;
};

// Counts the words of segmented text (words followed by two blanks).
FrequencyResult WordFrequency(std::u16string_view text);
// The same over pieces already cut with PieceScan::Clean, e.g. of several files.
FrequencyResult WordFrequency(WordList words);

// Grades the distinct words of segmented text.
GradeResult VocabularyGrades(const LanguageData &data, std::u16string_view text);
GradeResult VocabularyGrades(const LanguageData &data, WordList words);

} // namespace yuedu
