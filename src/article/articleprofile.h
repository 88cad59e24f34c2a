#pragma once
// The structure profile of an article: length, distinct characters, sentences and clauses,
// radicals, strokes, general-use levels, the mean difficulty coefficient and an estimated
// reading grade.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "article/profileentry.h"
#include "langdata/languagedata.h"

namespace yuedu::article {

// The two answers of the genre dialog.
struct ArticleGenre {
    bool poetry = false;   // 詩歌類 (else 非詩歌類)
    bool dialogue = false; // 對話類 (else 非對話類)
};

enum class ProfileOutcome {
    Done,              // the figures were replaced by those of the text
    EmptyText,         // nothing to analyse; previous figures kept
    NoGenre,           // the genre was not chosen; previous figures kept
    NoTableCharacters, // the text holds no hanzi of the tables; previous figures kept
};

inline constexpr int kRadicals = 213;

// The profile of one text. Built whole by artprofile and never changed afterwards.
struct ProfileResult {
    ProfileOutcome outcome = ProfileOutcome::EmptyText;
    ArticleGenre genre;
    // The figures by ProfileEntry. Held in double precision so that long texts sum their
    // coefficients exactly; the stored measures are whole numbers.
    ProfileFigures ProfileTotals{};
    // Flags 1..213 (index 0 unused): 1 once a character of that radical was looked up.
    std::array<std::int16_t, kRadicals + 1> RadicalSeen{};
    // Distinct table characters in order of first appearance, and how often each occurs.
    std::u16string ProfileDistinct;
    std::vector<std::int64_t> DistinctCounts;
    // The recorded punctuation marks in text order.
    std::u16string ClauseMarks;
    // Whether the loaded data holds difficulty coefficients at all; without them the mean
    // coefficient is no measurement, whatever it adds up to.
    bool cognitiveData = false;
    // Hanzi without a record in the data (outside code page 950), repeats counted, and the
    // distinct ones. They count in the length, the distinct characters, the sentence length and
    // the grade; the figures read from records (coefficient, strokes, radicals, levels) are
    // those of the other hanzi.
    std::int64_t extraHanzi = 0;
    std::int64_t extraDistinct = 0;

    bool done() const { return outcome == ProfileOutcome::Done; }
    double entry(int n) const { return ProfileTotals[n]; }
    // The hanzi whose records the record-based figures come from.
    std::int64_t recordHanzi() const {
        return static_cast<std::int64_t>(ProfileTotals[kHanziCount]) - extraHanzi;
    }
    // False for an entry the loaded data cannot give (shown as "—", not as 0).
    bool hasData(int n) const;
    // Whether the estimated grade lies where its formula was fitted (see gradeInRange).
    bool gradeInRange() const;
};

// Profiles text. Without a genre, with an empty text or with a text that has no table
// character the result holds no figures and its outcome says why.
ProfileResult artprofile(const LanguageData &data, std::u16string_view text,
                         std::optional<ArticleGenre> genre);
// The same with which detail fields the data fills (detailCoverage) found once for many texts.
struct DetailCoverage;
ProfileResult artprofile(const LanguageData &data, std::u16string_view text,
                         std::optional<ArticleGenre> genre, const DetailCoverage &coverage);

// Looks up one character (at most one: an empty string changes nothing) and adds its
// difficulty coefficient, strokes, level count and radical to the figures.
void charattri(const LanguageData &data, std::u16string_view ch, ProfileFigures &totals,
               std::array<std::int16_t, kRadicals + 1> &radicals);

// The estimated grade was fitted on the passages of primary-school reading lessons: some 100 to
// 2,000 hanzi and grades 1 to 6. Its length term alone adds a grade every 152 hanzi, so beyond
// 2,000 hanzi it says more about length than about difficulty; under 100 hanzi the share of
// common characters swings too much to mean anything. A value below 1 or above 12 lies outside
// school grades altogether. Outside these bounds the figure is shown with a mark.
inline constexpr std::int64_t kGradeMinHanzi = 100;
inline constexpr std::int64_t kGradeMaxHanzi = 2000;
inline constexpr double kGradeMin = 1.0;
inline constexpr double kGradeMax = 12.0;
bool gradeInRange(std::int64_t hanzi, double grade);

// The estimated reading grade for N table characters, common-character share C and the genre.
double estimatedGrade(std::int64_t n, double commonShare, ArticleGenre genre);

// Sentences and single-clause sentences of a string of recorded punctuation marks.
struct SentenceCounts {
    std::int64_t sentences = 0; // at least 1
    std::int64_t singleClause = 0;
};
SentenceCounts countSentences(std::u16string_view clauseMarks);

} // namespace yuedu::article
