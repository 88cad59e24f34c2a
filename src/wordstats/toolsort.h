#pragma once
// Word frequency and vocabulary grade levels of a segmented text. The members are the results
// of the latest run of each analysis; the result windows read them when they are built.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "langdata/languagedata.h"
#include "wordstats/wordlist.h"

namespace yuedu {

class Toolsort {
public:
    explicit Toolsort(const LanguageData &data) : m_data(data) {}

    // Number of words of the text of the latest run of either analysis, empty pieces included.
    std::int64_t WordTotal = 0;

    // Word frequency: the distinct words in ascending order and how often each occurs.
    std::vector<std::u16string> FreqWords;
    std::vector<std::int64_t> FreqCounts;

    // Vocabulary grades: the distinct words in ascending order, their counts and grade codes.
    std::vector<std::u16string> GradeWords;
    std::vector<std::int64_t> GradeCounts;
    std::vector<std::int64_t> GradeCodes;

    // Counts the words of text (segmented, words followed by two blanks). text is consumed:
    // it is empty on return.
    void WordFrequency(std::u16string &text);
    // The same over pieces already cut with PieceScan::Clean, e.g. of several files.
    void WordFrequency(WordList words);

    // Grades the distinct words of text; text is empty on return.
    void VocabularyGrades(std::u16string &text);
    void VocabularyGrades(WordList words);

    // Row i (0-based) of the frequency list: the percentage as a float and as "#0.00" text.
    float percent(std::size_t i) const;
    std::u16string percentText(std::size_t i) const;

    // Row i (0-based) of the grade list: the grade as "#0.0" text (2.3 for the code 23).
    std::u16string gradeText(std::size_t i) const;

private:
    const LanguageData &m_data;
};

} // namespace yuedu
