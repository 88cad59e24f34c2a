#include <gtest/gtest.h>

#include "databuild/gradefile.h"
#include "langdata/big5.h"
#include "wordstats/frequency.h"
#include "wordstats/gradecode.h"
#include "wordstats/gradetree.h"

using namespace yuedu;
using namespace yuedu::wordstats;

namespace {

// The i-th character (1-based) of the test's list 5: a thousand distinct hanzi.
char16_t ranked(int position) {
    return charOfOrdinal(position - 1);
}

// Characters that list 5 does not hold.
const char16_t kUnranked = charOfOrdinal(5000);
const char16_t kOther = charOfOrdinal(5001);
const char16_t kCodeFive = charOfOrdinal(5002);

LanguageData gradeData() {
    databuild::GradeSources sources;
    sources.lists[0] = {{u"山", 23}, {std::u16string(1, kCodeFive), 5}, {u"火", 75}};
    sources.lists[1] = {{u"天地", 12}, {u"人們", 64}, {std::u16string{kUnranked, kOther}, 33}};
    sources.lists[2] = {{u"小朋友", 41}};
    sources.lists[3] = {{u"一心一意", 100}};
    for (int i = 1; i <= 1000; ++i)
        sources.rankList += ranked(i);
    LanguageData data;
    data.loadImages(databuild::buildGradeFile(sources), "", "");
    return data;
}

const LanguageData &data() {
    static const LanguageData d = gradeData();
    return d;
}

} // namespace

TEST(GradeCode, ComesFromTheListsOrFromTheCharacterScores) {
    GradeCoder coder(data());
    const std::u16string five{ranked(1), ranked(2), ranked(3), ranked(4), ranked(198)};
    const struct {
        const char *name;
        std::u16string word;
        std::int64_t code;
    } cases[] = {
        {"list 1", u"山", 23},
        {"list 2", u"天地", 12},
        {"list 3", u"小朋友", 41},
        {"list 4", u"一心一意", 100},
        {"five characters always use list 5", five, (5 + 5 * 20) / 5},
        {"position 300", std::u16string(1, ranked(300)), 30},
        {"position 1 adds to the starting 5", std::u16string(1, ranked(1)), 25},
        {"missing from list 5", std::u16string(1, kUnranked), 90},
        {"positions 10 and 700", std::u16string{ranked(10), ranked(700)}, (5 + 20 + 45) / 2},
        {"an entry of code 5 is estimated", std::u16string(1, kCodeFive), 5 + 85},
        {"band edges", std::u16string{ranked(198), ranked(199), ranked(364), ranked(365)},
         (5 + 20 + 25 + 25 + 30) / 4},
        {"the empty word", u"", 5},
        {"part of an entry is not the entry", std::u16string(1, kOther), 90},
    };
    for (const auto &c : cases)
        EXPECT_EQ(coder.gradeCode(c.word), c.code) << c.name;
}

TEST(GradeCode, AWordIsNeverMatchedAtAGradeByte) {
    // The grade bytes of list 1 are 23, 5 and 75 ("K", the last character of the list); list
    // 2 holds 人們 with 64 ("@") just before the entry {kUnranked, kOther}. These words are not
    // entries: their codes are estimated, none is read from a hanzi or past the end of a list.
    GradeCoder coder(data());
    EXPECT_EQ(coder.gradeCode(u"K"), 5 + 85);
    EXPECT_EQ(coder.gradeCode(std::u16string(1, char16_t(23))), 5 + 85);
    EXPECT_EQ(coder.gradeCode(std::u16string{u'@', kUnranked}), (5 + 85 + 85) / 2);
    EXPECT_EQ(coder.gradeCode(std::u16string{u'們', u'@'}), (5 + 85 + 85) / 2);
}

TEST(GradeCode, TheFirstEntryOfARepeatedWordDecides) {
    LanguageData d;
    d.GradeWordLists[0] = std::u16string(u"天") + char16_t(23) + u"天" + char16_t(45);
    EXPECT_EQ(GradeCoder(d).gradeCode(u"天"), 23);
    EXPECT_EQ(GradeCoder(d).rankOf(u'天'), 0u);
}

TEST(CharacterScore, FollowsTheRankBands) {
    const std::pair<std::size_t, int> cases[] = {
        {0, 85},    {1, 20},    {198, 20},  {199, 25},  {364, 25},  {365, 30},
        {631, 30},  {632, 45},  {982, 45},  {983, 60},  {1403, 60}, {1404, 70},
        {1951, 70}, {1952, 75}, {2567, 75}, {2568, 80}, {3523, 80}, {3524, 85}};
    for (auto [position, score] : cases)
        EXPECT_EQ(characterScore(position), score) << position;
}

TEST(VocabularyGrades, ListsEveryDistinctWordWithCountGradeAndGroup) {
    std::u16string text = u"山  天地  山  \r\n" + std::u16string(1, ranked(300)) + u"    火  \r\n";
    const GradeResult t = VocabularyGrades(data(), text);
    EXPECT_EQ(t.WordTotal, 6);
    ASSERT_EQ(t.words.size(), 5u);
    // "" < 天地 (U+5929) < 山 (U+5C71) < 火 (U+706B); ranked(300) sorts by its code point.
    std::vector<std::pair<std::u16string, std::u16string>> shown;
    for (std::size_t i = 0; i < t.words.size(); ++i)
        shown.emplace_back(t.words[i].word, t.gradeText(i));
    EXPECT_EQ(shown.front(), (std::pair<std::u16string, std::u16string>{u"", u"0.5"}));
    auto at = [&](const std::u16string &w) {
        for (std::size_t i = 0; i < t.words.size(); ++i)
            if (t.words[i].word == w)
                return i;
        ADD_FAILURE() << "missing word";
        return std::size_t(0);
    };
    EXPECT_EQ(t.gradeText(at(u"山")), u"2.3");
    EXPECT_EQ(t.words[at(u"山")].count, 2);
    EXPECT_EQ(t.gradeText(at(u"天地")), u"1.2");
    EXPECT_EQ(t.gradeText(at(std::u16string(1, ranked(300)))), u"3.0");
    EXPECT_EQ(t.gradeText(at(u"火")), u"7.5");

    auto nodes = gradeTreeNodes(t);
    ASSERT_EQ(nodes.size(), 8u);
    EXPECT_EQ(nodes[1].words, u"\r\n天地\r\n"); // 一年級: the empty word (0.5) and 天地 (1.2)
    EXPECT_EQ(nodes[2].words, u"山\r\n");       // 二年級
    EXPECT_EQ(nodes[3].words, std::u16string(1, ranked(300)) + u"\r\n");
    EXPECT_EQ(nodes[7].words, u"火\r\n"); // 未出現
    EXPECT_EQ(report::nodeClickText(nodes[0]), u"【 年級查詢 】\r\n");
    EXPECT_EQ(report::nodeClickText(nodes[2]), u"【 二年級 】\r\n山\r\n");

    // The groups count words, never the empty piece: 天地 | 山 山 | ranked(300) | 火.
    const std::pair<std::int64_t, std::int64_t> groups[kGradeGroupCount] = {
        {1, 1}, {1, 2}, {1, 1}, {0, 0}, {0, 0}, {0, 0}, {1, 1}};
    for (int g = 0; g < kGradeGroupCount; ++g) {
        EXPECT_EQ(t.groups[static_cast<std::size_t>(g)].types, groups[g].first) << g;
        EXPECT_EQ(t.groups[static_cast<std::size_t>(g)].tokens, groups[g].second) << g;
    }
    EXPECT_EQ(t.graded.types, 4);
    EXPECT_EQ(t.graded.tokens, 5);
    EXPECT_DOUBLE_EQ(t.tokenShare(1), 0.4);
    EXPECT_DOUBLE_EQ(t.typeShare(1), 0.25);
    EXPECT_EQ(t.tokenShare(7), 0.0);
}

TEST(VocabularyGrades, OneWordRepeatedGivesOneRow) {
    const GradeResult t = VocabularyGrades(data(), u"山  山  山  \r\n");
    ASSERT_EQ(t.words.size(), 1u);
    EXPECT_EQ(t.words[0].word, u"山");
    EXPECT_EQ(t.words[0].count, 3);
    EXPECT_EQ(t.words[0].code, 23);
}

TEST(VocabularyGrades, TheLastWordInOrderHasItsOwnCodeAlsoWhenItOccursOnce) {
    // 天地 (U+5929) sorts before 山 (U+5C71)
    const GradeResult t = VocabularyGrades(data(), u"山  天地  天地  \r\n");
    ASSERT_EQ(t.words.size(), 2u);
    EXPECT_EQ(t.words[0].word, u"天地");
    EXPECT_EQ(t.words[0].code, 12);
    EXPECT_EQ(t.words[0].count, 2);
    EXPECT_EQ(t.words[1].word, u"山");
    EXPECT_EQ(t.words[1].code, 23);
    EXPECT_EQ(t.words[1].count, 1);
}

TEST(VocabularyGrades, TextsWithoutWordsOrWithOnlyEmptyPiecesGiveNoRows) {
    for (std::u16string text : {std::u16string(u"\r\n\r\n"), std::u16string(u"    \r\n")}) {
        const GradeResult t = VocabularyGrades(data(), text);
        EXPECT_TRUE(t.words.empty());
        EXPECT_EQ(t.graded.tokens, 0);
    }
}

TEST(GradeTree, GroupsCodesByTheirRangesAndLeavesOthersOut) {
    const std::pair<std::int64_t, int> cases[] = {{0, 0},  {1, 2},   {19, 2},  {20, 3}, {29, 3},
                                                  {30, 4}, {49, 5},  {50, 6},  {60, 7}, {69, 7},
                                                  {70, 8}, {100, 8}, {101, 0}, {-5, 0}};
    for (auto [code, node] : cases)
        EXPECT_EQ(gradeGroupNode(code), node) << code;
}
