#pragma once
// Word frequency and vocabulary grade levels of a segmented text. Each analysis returns one
// value holding everything a window, an export or the command line shows of it; nothing is
// kept between runs.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "langdata/languagedata.h"
#include "wordstats/wordlist.h"

namespace yuedu::wordstats {

// One distinct word of a text and how often it occurs.
struct WordCount {
    std::u16string word;
    std::int64_t count = 0;
};

struct FrequencyResult {
    // Number of words of the text, empty pieces included.
    std::int64_t WordTotal = 0;
    // The distinct words in ascending order.
    std::vector<WordCount> words;

    std::size_t size() const { return words.size(); }
    bool empty() const { return words.empty(); }
    // Row i (0-based): its share of all words in percent, at full precision, and as the list
    // shows it ("#0.00").
    double percent(std::size_t i) const;
    std::u16string percentText(std::size_t i) const;
};

// One distinct word with its count and grade code (23 is grade 2.3).
struct GradedWord {
    std::u16string word;
    std::int64_t count = 0;
    std::int64_t code = 0;
};

// The words of one grade group (一年級 .. 六年級, 未出現): distinct words and occurrences.
struct GradeGroupTotals {
    std::int64_t types = 0;
    std::int64_t tokens = 0;
};

inline constexpr int kGradeGroupCount = 7;

struct GradeResult {
    std::int64_t WordTotal = 0;
    // The distinct words in ascending order.
    std::vector<GradedWord> words;
    // Words (the empty piece not) by grade group, and all of them: the shares of the grade
    // window's chart and of the comparison are taken of these, here and only here.
    std::array<GradeGroupTotals, kGradeGroupCount> groups{};
    GradeGroupTotals graded;

    std::size_t size() const { return words.size(); }
    bool empty() const { return words.empty(); }
    // Row i (0-based): the grade as "#0.0" text.
    std::u16string gradeText(std::size_t i) const;
    // Group 0..6: its share (0..1) of the distinct words and of the occurrences.
    double typeShare(int group) const;
    double tokenShare(int group) const;
};

class GradeCoder;

// Counts the words of segmented text (words followed by two blanks).
FrequencyResult WordFrequency(std::u16string_view text);
// The same over pieces already cut with PieceScan::Clean, e.g. of several files, or counted.
FrequencyResult WordFrequency(const PieceList &words);
FrequencyResult WordFrequency(const WordTally &tally);

// Grades the distinct words of segmented text.
GradeResult VocabularyGrades(const LanguageData &data, std::u16string_view text);
GradeResult VocabularyGrades(const LanguageData &data, const PieceList &words);
// With the grade lists indexed once for many texts.
GradeResult VocabularyGrades(const GradeCoder &coder, const WordTally &tally);

} // namespace yuedu::wordstats
