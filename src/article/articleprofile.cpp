#include "article/articleprofile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_set>

#include "article/charrecord.h"
#include "langdata/big5.h"
#include "langdata/constants.h"
#include "langdata/hanzi.h"
#include "langdata/lineends.h"
#include "report/numberformat.h"

namespace yuedu::article {
namespace {

constexpr std::u16string_view kClauseMarks = u"。？！；，、︰…,.?:;!";
constexpr std::u16string_view kSentenceMarks = u"。？！；.?!;";
constexpr std::u16string_view kBrackets = u"（）〔〕《》〈〉「」『』＜＞()[]<>";

bool isIn(std::u16string_view set, char16_t c) {
    return set.find(c) != set.npos;
}

// What a character is to the scan of a text, looked up at once: a clause mark, a bracket.
enum : std::uint8_t { kClauseMark = 1, kBracket = 2 };
const std::uint8_t *markKinds() {
    static const std::array<std::uint8_t, 0x10000> kinds = [] {
        std::array<std::uint8_t, 0x10000> k{};
        for (char16_t c : kClauseMarks)
            k[c] |= kClauseMark;
        for (char16_t c : kBrackets)
            k[c] |= kBracket;
        return k;
    }();
    return kinds.data();
}

// Membership of the 498 most common characters, by the character itself: a private-use
// character of code page 950 shares its ordinal with a frequent hanzi (邊 and U+F6B5 both have
// 4997) and is looked up as that hanzi, but it is not that hanzi.
bool isCommonChar(char16_t c) {
    static const std::vector<bool> common = [] {
        std::vector<bool> v(0x10000, false);
        for (char16_t ch : constants::CommonCharList())
            v[ch] = true;
        return v;
    }();
    return common[c];
}

// Rounds to the nearest whole number, halves to the even neighbour.
double roundEven(double x) {
    return std::nearbyint(x);
}

std::u16string_view trimBlanks(std::u16string_view s) {
    const auto first = s.find_first_not_of(u' ');
    if (first == s.npos)
        return {};
    return s.substr(first, s.find_last_not_of(u' ') - first + 1);
}

} // namespace

namespace {

void lookUp(const LanguageData &data, char16_t ch, ProfileFigures &totals,
            std::array<std::int16_t, kRadicals + 1> &radicals) {
    const int n = tableOrdinal(ch);
    if (n < 0)
        return; // single-byte, punctuation or outside the tables
    const CharRecord rec = charRecord(data, n);
    // A character without detail record reads every detail figure as 0.
    const auto detail = detailRecord(data, n);
    const int scale = detail ? zanscale(*detail) : 0;
    if (scale >= 0x8000)
        return;
    totals[kMeanCoefficient] += scale;
    totals[kLevel1Count - 1 + generalUseLevel(detail ? zangener(*detail) : 0)] += 1;
    if (rec.radical < 1 || rec.radical > kRadicals)
        return;
    radicals[rec.radical] = 1;
    totals[kMeanStrokes] += rec.strokes;
}

} // namespace

void charattri(const LanguageData &data, std::u16string_view ch, ProfileFigures &totals,
               std::array<std::int16_t, kRadicals + 1> &radicals) {
    if (!ch.empty())
        lookUp(data, ch.front(), totals, radicals);
}

bool ProfileResult::hasData(int n) const {
    if (!done())
        return false;
    // Means over no record at all (a text of hanzi without records only) are no figures.
    if ((n == kMeanCoefficient || n == kMeanStrokes || n == kRadicalCount) && recordHanzi() == 0)
        return false;
    return n != kMeanCoefficient || cognitiveData;
}

bool ProfileResult::gradeInRange() const {
    return done() && article::gradeInRange(static_cast<std::int64_t>(ProfileTotals[kHanziCount]),
                                           ProfileTotals[kEstimatedGrade] / 1000.0);
}

bool gradeInRange(std::int64_t hanzi, double grade) {
    return hanzi >= kGradeMinHanzi && hanzi <= kGradeMaxHanzi && grade >= kGradeMin &&
           grade <= kGradeMax;
}

namespace {

ProfileResult profileText(const LanguageData &data, std::u16string_view text,
                          std::optional<ArticleGenre> genre, const DetailCoverage *coverage) {
    ProfileResult result;
    if (text.empty())
        return result;
    if (!genre) {
        result.outcome = ProfileOutcome::NoGenre;
        return result;
    }
    result.genre = *genre;
    std::u16string_view t = trimBlanks(text);
    // Sentences are counted as in a text whose lines end in CR LF, however they end.
    std::u16string crlf;
    if (!hasCrlfLineEnds(t)) {
        crlf = crlfLineEnds(t);
        t = crlf;
    }

    ProfileFigures totals{};
    std::array<std::int16_t, kRadicals + 1> radicals{};
    std::u16string distinct;
    std::vector<std::int64_t> counts;
    std::u16string clauses;
    // Distinct by character, not by ordinal (see isCommonChar).
    // Slot + 1 of each character, 0 while unseen (zeroed memory, no filling pass).
    std::vector<std::int32_t> slotOf(0x10000);
    std::int64_t n = 0;
    // Hanzi without a record, by their UTF-16 units (a pair as one key).
    std::unordered_set<char32_t> extraSeen;
    std::int64_t extras = 0;

    const std::uint8_t *kinds = markKinds();
    for (std::size_t i = 0; i < t.size(); ++i) {
        char16_t ch = t[i];
        std::size_t extra = extraHanziAt(t, i);
        if (extra == 0 && (kinds[ch] != 0 || !isDoubleByte(ch))) {
            if (kinds[ch] & kClauseMark)
                clauses.push_back(ch);
            // The character after a mark, a bracket or a single-byte character is not tested
            // again: it goes straight to the lookup.
            if (++i >= t.size())
                break;
            ch = t[i];
            extra = extraHanziAt(t, i);
        }
        if (extra != 0) {
            ++n;
            ++extras;
            extraSeen.insert(extra == 1 ? ch : (char32_t(ch) << 16) | t[i + 1]);
            i += extra - 1;
            continue;
        }
        charattri(data, std::u16string_view(&ch, 1), totals, radicals);
        if (!isTableChar(ch))
            continue;
        ++n;
        if (slotOf[ch] == 0) {
            slotOf[ch] = static_cast<std::int32_t>(distinct.size()) + 1;
            distinct.push_back(ch);
            counts.push_back(1);
        } else {
            ++counts[static_cast<std::size_t>(slotOf[ch]) - 1];
        }
    }
    if (n == 0) {
        result.outcome = ProfileOutcome::NoTableCharacters;
        return result;
    }

    const SentenceCounts sentences = countSentences(clauses);
    std::int64_t common = 0;
    for (std::size_t k = 0; k < distinct.size(); ++k)
        if (isCommonChar(distinct[k]))
            common += counts[k];
    const double share = static_cast<double>(common) / static_cast<double>(n);
    const auto distinctCount = static_cast<double>(distinct.size() + extraSeen.size());
    const double len = static_cast<double>(n);
    // The record-based means are over the hanzi that have records.
    const double recorded = static_cast<double>(n - extras);

    totals[kMeanCoefficient] =
        recorded > 0 ? roundEven(100.0 * totals[kMeanCoefficient] / recorded) : 0.0;
    totals[kHanziCount] = len;
    totals[kDistinctHanzi] = distinctCount;
    totals[kDensity] = report::ratioToShow(distinctCount, len);
    totals[kSentences] = static_cast<double>(sentences.sentences);
    totals[kMeanSentenceLength] = roundEven(100.0 * len / static_cast<double>(sentences.sentences));
    totals[kClauses] = static_cast<double>(clauses.size());
    totals[kSingleClauseSentences] = static_cast<double>(sentences.singleClause);
    totals[kRadicalCount] = static_cast<double>(std::count(radicals.begin(), radicals.end(), 1));
    totals[kMeanStrokes] = recorded > 0 ? roundEven(100.0 * totals[kMeanStrokes] / recorded) : 0.0;
    totals[kEstimatedGrade] = roundEven(1000.0 * estimatedGrade(n, share, *genre));

    result.outcome = ProfileOutcome::Done;
    result.ProfileTotals = totals;
    result.RadicalSeen = radicals;
    result.ProfileDistinct = std::move(distinct);
    result.DistinctCounts = std::move(counts);
    result.ClauseMarks = std::move(clauses);
    result.cognitiveData = (coverage ? *coverage : detailCoverage(data)).has(kZanscaleField);
    result.extraHanzi = extras;
    result.extraDistinct = static_cast<std::int64_t>(extraSeen.size());
    return result;
}

} // namespace

ProfileResult artprofile(const LanguageData &data, std::u16string_view text,
                         std::optional<ArticleGenre> genre) {
    return profileText(data, text, genre, nullptr);
}

ProfileResult artprofile(const LanguageData &data, std::u16string_view text,
                         std::optional<ArticleGenre> genre, const DetailCoverage &coverage) {
    return profileText(data, text, genre, &coverage);
}

double estimatedGrade(std::int64_t n, double commonShare, ArticleGenre genre) {
    return 5.43035627 + 0.00657347 * static_cast<double>(n) - 5.56746245 * commonShare +
           1.38315091 * (genre.poetry ? 1 : 0) - 1.07299966 * (genre.dialogue ? 1 : 0);
}

// A sentence ends at a sentence mark; it counts as independent when no other clause mark
// stands between it and the previous sentence mark. A text without any sentence mark is one
// sentence, independent when it has no clause mark either.
SentenceCounts countSentences(std::u16string_view clauseMarks) {
    SentenceCounts result;
    bool clauseSeen = false;
    for (char16_t c : clauseMarks) {
        if (isIn(kSentenceMarks, c)) {
            ++result.sentences;
            if (!clauseSeen)
                ++result.singleClause;
            clauseSeen = false;
        } else {
            clauseSeen = true;
        }
    }
    if (result.sentences == 0) {
        result.sentences = 1;
        result.singleClause = clauseMarks.empty() ? 1 : 0;
    }
    return result;
}

} // namespace yuedu::article
