#pragma once
// The structure profile of an article: length, distinct characters, sentences and clauses,
// radicals, strokes, general-use levels, the mean difficulty coefficient and an estimated
// reading grade. One object keeps the figures of the last successful run for the window.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Entries of ProfileTotals (1-based, as the window and the command line number them).
enum ProfileEntry : int {
    kZancf = 1,    // mean difficulty coefficient × 10000
    kWdartlen = 2, // number of table characters N
    kWordlen = 3,  // distinct table characters K
    kWddesi = 4,   // density K / N × 100
    kParan = 5,    // sentences S
    kXbparan = 6,  // mean sentence length × 100
    kMultip = 7,   // clauses (recorded punctuation marks)
    kSingp = 8,    // sentences made of a single clause
    kBusho = 9,    // distinct radicals
    kBiha = 10,    // mean strokes × 100
    kLorcf = 11,   // estimated grade × 1000
    kGenerg1 = 12, // characters of general-use level 1; levels 2..10 follow up to entry 21
    kGenerg10 = 21,
};

inline constexpr int kRadicals = 213;

class ArticleProfile {
public:
    explicit ArticleProfile(const LanguageData &data);

    // Profiles text. Without a genre, with an empty text or with a text that has no table
    // character the previous figures stay and the outcome says why.
    ProfileOutcome artprofile(std::u16string_view text, std::optional<ArticleGenre> genre);

    // Looks up one character (at most one: an empty string changes nothing) and adds its
    // difficulty coefficient, strokes, level count and radical to the figures.
    void charattri(std::u16string_view ch);

    // Entries 1..22 (index 0 and 22 unused). Held in double precision so that long texts sum
    // their coefficients exactly; the stored measures are whole numbers.
    std::array<double, 23> ProfileTotals{};
    // Flags 1..213 (index 0 unused): 1 once a character of that radical was looked up.
    std::array<std::int16_t, kRadicals + 1> RadicalSeen{};
    // Distinct table characters in order of first appearance, and how often each occurs.
    std::u16string ProfileDistinct;
    std::vector<std::int64_t> DistinctCounts;
    // The recorded punctuation marks in text order.
    std::u16string ClauseMarks;

    double entry(int n) const { return ProfileTotals[n]; }
    bool hasProfile() const { return m_hasProfile; }

private:
    void lookUp(char16_t ch, std::array<double, 23> &totals,
                std::array<std::int16_t, kRadicals + 1> &radicals) const;

    const LanguageData *m_data; // not owned; a pointer keeps results copyable
    bool m_hasProfile = false;
};

// The estimated reading grade for N table characters, common-character share C and the genre.
double estimatedGrade(std::int64_t n, double commonShare, ArticleGenre genre);

// Sentences and single-clause sentences of a string of recorded punctuation marks.
struct SentenceCounts {
    std::int64_t sentences = 0; // at least 1
    std::int64_t singleClause = 0;
};
SentenceCounts countSentences(std::u16string_view clauseMarks);

} // namespace yuedu::article
