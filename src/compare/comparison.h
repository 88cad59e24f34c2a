#pragma once
// Comparison of many texts: every text goes through the same analyses as a single document
// (segmentation, structure profile, word frequency, vocabulary grades, sense classes) and gives
// one row of figures. The texts run on several threads over data loaded once and shared
// read-only; the rows come back in input order whatever the number of threads.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "article/articleprofile.h"
#include "langdata/languagedata.h"
#include "report/captions.h"
#include "wordstats/frequency.h"

namespace yuedu::seg {
class Lexicon;
}

namespace yuedu::compare {

inline constexpr int kProfileFigures = report::kProfileFields;
inline constexpr int kGradeGroups = report::kGradeGroups; // 一年級 .. 六年級, 未出現
inline constexpr int kUseLevels = report::kUseLevels;     // general-use levels 1..10

// A word frequency list that sums: word → occurrences (the empty piece included, so that the
// total equals the word total the frequency list's percentages are taken of).
using FrequencyCounts = std::map<std::u16string, std::int64_t>;

struct TextRow {
    std::string name;
    // The 21 profile figures as the profile window shows them, in its field order (a figure the
    // loaded data cannot give is empty); absent when the text has no hanzi of the tables.
    std::optional<std::array<std::optional<double>, kProfileFigures>> profile;
    // Whether the estimated grade lies where its formula holds (the profile's range mark).
    bool gradeInRange = false;
    std::int64_t characters = 0; // hanzi with a record in the data (all of 全文長 in Big5 text)
    std::int64_t tokens = 0;     // word occurrences after segmentation (empty pieces not)
    std::int64_t types = 0;      // distinct words
    std::int64_t senseTypes = 0; // distinct words that have a sense class
    std::array<std::int64_t, kGradeGroups> gradeTokens{}; // occurrences by grade group
    std::array<std::int64_t, kUseLevels> levelChars{};    // characters by general-use level
    FrequencyCounts frequency;

    double typeTokenRatio() const;
    double gradeShare(int group) const; // group 0..6
    double levelShare(int level) const; // level 0..9 (level 1..10)
    double senseShare() const;
};

struct Failure {
    std::string name;
    std::string message; // names the path and the reason
};

// One text to compare: read from path, or (when text is set) the text itself, e.g. of a
// document open in the program, with name saying where it came from.
struct TextSource {
    std::string name;
    std::optional<std::u16string> text;
};

struct CompareOptions {
    article::ArticleGenre genre;
    int jobs = 1; // threads; less than 1 means one
};

// Called after each text, from the worker that finished it (never two calls at once).
using ProgressFn = std::function<void(std::size_t done, std::size_t total, std::int64_t chars)>;

struct CompareResult {
    std::vector<TextRow> rows;     // the texts that could be read, in input order
    std::vector<Failure> failures; // those that could not, in input order
    bool cancelled = false;
};

// Runs the comparison. lexicon and data must not change while it runs. cancel (if given) is
// polled between texts: a cancelled run returns what was finished, cancelled set.
CompareResult compareTexts(const LanguageData &data, const seg::Lexicon &lexicon,
                           const std::vector<TextSource> &sources, const CompareOptions &options,
                           const ProgressFn &progress = {},
                           const std::atomic<bool> *cancel = nullptr);

// The corpus as a whole: counts summed, the frequency lists merged, shares of the sums.
struct CorpusTotals {
    TextRow all; // name "total"; no profile figures except the summed counts in summedProfile
    std::array<std::optional<double>, kProfileFigures> summedProfile{};
    std::size_t texts = 0;
};
CorpusTotals corpusTotals(const LanguageData &data, const std::vector<TextRow> &rows);

// Adds the rows of a frequency table in the freq command's tab-separated form (word, count, …;
// the word escaped as the table writes it) to counts. Throws FormatError naming source and
// line for a row without a whole-number count.
void addFrequencyTable(std::u16string_view table, const std::string &source,
                       FrequencyCounts &counts);

// The frequency list of summed counts: the words in the order of counts, their counts, and the
// word total (the empty piece included) their percentages are taken of.
wordstats::FrequencyResult frequencyResult(const FrequencyCounts &counts);

// Whether profile figure i (in the window's field order) is a count that sums over texts.
bool profileFigureSums(int i);

// The column names of a comparison table, in order, and the cells of one row (numbers in C
// locale, empty for figures a text does not have).
std::vector<std::string> columnNames();
std::vector<std::string> rowCells(const TextRow &row);
std::vector<std::string> totalCells(const CorpusTotals &totals);

} // namespace yuedu::compare
