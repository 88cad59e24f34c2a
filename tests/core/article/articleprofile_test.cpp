#include "article/articleprofile.h"

#include <gtest/gtest.h>

#include "article/profiletext.h"
#include "articletestdata.h"

namespace yuedu::article {
namespace {

using testdata::charRec;
using testdata::detailRec;

// 字 and 天 are among the most common characters, 龜 and 鬱 are not; 鬱 has no detail record.
class ArticleProfileTest : public ::testing::Test {
protected:
    std::unique_ptr<LanguageData> data = testdata::makeData({
        {u'字', charRec(39, 6), detailRec(1, 100)},
        {u'天', charRec(37, 4), detailRec(2, 200)},
        {u'龜', charRec(213, 16), detailRec(9, 300)},
        {u'鬱', charRec(192, 29), std::nullopt},
    });
    ProfileResult profile;
    static constexpr ArticleGenre kPlain{false, false};

    ProfileOutcome run(std::u16string_view text, ArticleGenre genre = kPlain) {
        profile = artprofile(*data, text, genre);
        return profile.outcome;
    }
};

struct PassCase {
    std::u16string text;
    int n, k, clauses, sentences, single, meanLength;
};

TEST_F(ArticleProfileTest, CharacterAndSentencePassesCountMarksAsTheyStand) {
    const PassCase cases[] = {
        {u"字。字", 2, 1, 1, 1, 1, 200},
        // The second stop follows a mark and goes to the lookup, where it counts for nothing.
        {u"字。。字", 2, 1, 1, 1, 1, 200},
        // The stop follows a single-byte letter and is not recorded.
        {u"字a。", 1, 1, 0, 1, 1, 100},
        {u"「字」字", 2, 1, 0, 1, 1, 200},
        {u"字天字龜", 4, 3, 0, 1, 1, 400},
        {u"字，字", 2, 1, 1, 1, 0, 200},
        {u"字，字。字。字！", 4, 1, 4, 3, 2, 133},
        {u"字天。", 2, 2, 1, 1, 1, 200},
        {u"  字天, 字; ", 3, 2, 2, 1, 0, 300},
    };
    int row = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(row++);
        ASSERT_EQ(run(c.text), ProfileOutcome::Done);
        EXPECT_EQ(profile.entry(kHanziCount), c.n);
        EXPECT_EQ(profile.entry(kDistinctHanzi), c.k);
        EXPECT_EQ(profile.entry(kClauses), c.clauses);
        EXPECT_EQ(profile.entry(kSentences), c.sentences);
        EXPECT_EQ(profile.entry(kSingleClauseSentences), c.single);
        EXPECT_EQ(profile.entry(kMeanSentenceLength), c.meanLength);
    }
}

TEST_F(ArticleProfileTest, LineEndsCountAsCrLfWhateverTheTextHas) {
    // After a lone LF or CR the next character used to skip the mark test.
    const std::u16string crlf = u"字天\r\n。字\r\n「字」\r\n！天，\r\n\r\n；字";
    ASSERT_EQ(run(crlf), ProfileOutcome::Done);
    const ProfileResult expected = profile;
    // The CR LF reading: the mark after a line end is tested unless a mark or bracket came
    // just before the line end.
    EXPECT_EQ(expected.ClauseMarks, u"。，");
    for (const std::u16string end : {u"\n", u"\r", u"\n\r"}) {
        std::u16string text = crlf;
        for (std::size_t at; (at = text.find(u"\r\n")) != std::u16string::npos;)
            text.replace(at, 2, end == u"\n\r" ? (at % 2 ? u"\n" : u"\r") : end);
        ASSERT_EQ(run(text), ProfileOutcome::Done);
        EXPECT_EQ(profile.ProfileTotals, expected.ProfileTotals);
        EXPECT_EQ(profile.ClauseMarks, expected.ClauseMarks);
    }
}

TEST_F(ArticleProfileTest, HanziWithoutARecordCountInLengthAndDistinctOnly) {
    // 邨 is no Big5 character; U+20000 lies beyond the BMP.
    ASSERT_EQ(run(u"字天，邨。邨\U00020000"), ProfileOutcome::Done);
    EXPECT_EQ(profile.entry(kHanziCount), 5);
    EXPECT_EQ(profile.entry(kDistinctHanzi), 4);
    EXPECT_EQ(profile.extraHanzi, 3);
    EXPECT_EQ(profile.extraDistinct, 2);
    // The mark after 邨 is tested like any mark after a hanzi.
    EXPECT_EQ(profile.ClauseMarks, u"，。");
    // Record-based means stay those of 字 and 天.
    EXPECT_EQ(profile.entry(kMeanCoefficient), 15000);
    EXPECT_EQ(profile.entry(kMeanStrokes), 500);
    EXPECT_EQ(profile.entry(kLevel1Count) + profile.entry(kLevel1Count + 1), 2);
    EXPECT_EQ(profile.ProfileDistinct, u"字天");

    ASSERT_EQ(run(u"邨邨"), ProfileOutcome::Done);
    EXPECT_EQ(profile.entry(kHanziCount), 2);
    EXPECT_FALSE(profile.hasData(kMeanStrokes));
    EXPECT_FALSE(profile.hasData(kMeanCoefficient));
}

TEST_F(ArticleProfileTest, MeasuresAreMeansOverTheTableCharacters) {
    ASSERT_EQ(run(u"字天"), ProfileOutcome::Done);
    EXPECT_EQ(profile.entry(kMeanCoefficient), 15000); // mean coefficient 1.5
    EXPECT_EQ(profile.entry(kMeanStrokes), 500);       // (6 + 4) / 2 strokes
    EXPECT_EQ(profile.entry(kRadicalCount), 2);
    EXPECT_EQ(profile.entry(kDensity), 1);
    EXPECT_EQ(profile.entry(kLevel1Count), 1);
    EXPECT_EQ(profile.entry(kLevel1Count + 1), 1);
    EXPECT_EQ(profile.entry(kLevel10Count), 0);
    EXPECT_EQ(profile.ProfileDistinct, u"字天");
}

TEST_F(ArticleProfileTest, StoredMeasuresRoundHalvesToEven) {
    ASSERT_EQ(run(u"字字字字字字字字"), ProfileOutcome::Done);
    EXPECT_EQ(profile.entry(kDensity), 0.12); // 0.125
    ASSERT_EQ(run(u"字天龜字字字字字"), ProfileOutcome::Done);
    EXPECT_EQ(profile.entry(kDensity), 0.38); // 0.375
}

TEST_F(ArticleProfileTest, EstimatedGradeFollowsCommonShareAndGenre) {
    ASSERT_EQ(run(u"字天"), ProfileOutcome::Done); // only common characters: C = 1
    EXPECT_EQ(profile.entry(kEstimatedGrade), -124);
    ASSERT_EQ(run(u"龜鬱"), ProfileOutcome::Done); // C = 0
    EXPECT_EQ(profile.entry(kEstimatedGrade), 5444);
    ASSERT_EQ(run(u"字龜"), ProfileOutcome::Done); // C = 0.5
    EXPECT_EQ(profile.entry(kEstimatedGrade), 2660);

    ASSERT_EQ(run(u"字龜", {false, true}), ProfileOutcome::Done);
    EXPECT_EQ(profile.entry(kEstimatedGrade), 2660 - 1073);
    ASSERT_EQ(run(u"字龜", {true, false}), ProfileOutcome::Done);
    EXPECT_EQ(profile.entry(kEstimatedGrade), 2660 + 1383);
}

TEST(ArticleProfilePrivateUse, TwinOfAFrequentHanziIsADistinctUncommonCharacter) {
    // 邊 is among the most common characters; its private-use twin has the same ordinal and
    // records, but it is another character and not a common one.
    const char16_t twin = testdata::privateUseTwin(u'邊');
    ASSERT_NE(twin, 0);
    const auto data = testdata::makeData({{u'邊', charRec(162, 19), detailRec(3, 100)}});
    const std::u16string text = {u'邊', twin, u'邊'};
    const ProfileResult profile = artprofile(*data, text, ArticleGenre{});
    ASSERT_EQ(profile.outcome, ProfileOutcome::Done);
    EXPECT_EQ(profile.entry(kHanziCount), 3);
    EXPECT_EQ(profile.entry(kDistinctHanzi), 2);
    EXPECT_EQ(profile.ProfileDistinct, (std::u16string{u'邊', twin}));
    EXPECT_EQ(profile.entry(kLevel1Count + 2), 3); // looked up as 邊 all the same
    // C = 2/3: 5.43035627 + 0.01972041 - 3.71164163
    EXPECT_EQ(profile.entry(kEstimatedGrade), 1738);
}

TEST_F(ArticleProfileTest, TextWithoutProfileGivesNoFigures) {
    const std::pair<std::u16string_view, ProfileOutcome> cases[] = {
        {u"abc。「」", ProfileOutcome::NoTableCharacters}, {u"", ProfileOutcome::EmptyText}};
    for (const auto &[text, outcome] : cases) {
        EXPECT_EQ(run(text), outcome);
        EXPECT_FALSE(profile.hasData(kHanziCount));
        EXPECT_FALSE(profile.gradeInRange());
    }
    EXPECT_EQ(artprofile(*data, u"龜", std::nullopt).outcome, ProfileOutcome::NoGenre);
}

TEST(ProfileNoData, CoefficientIsNoDataWhenNoRecordOfTheFileHasOne) {
    // The coefficient column decides, not the coefficient of the characters of the text.
    const struct {
        int otherScale;
        std::u16string_view shown;
    } cases[] = {{0, u"葦氏認知係數﹦—"}, {250, u"葦氏認知係數﹦ 0"}};
    for (const auto &c : cases) {
        const auto data =
            testdata::makeData({{u'字', charRec(39, 6), detailRec(1, 0)},
                                {u'龜', charRec(213, 16), detailRec(9, c.otherScale)}});
        const ProfileResult r = artprofile(*data, u"字字", ArticleGenre{});
        ASSERT_TRUE(r.done());
        EXPECT_EQ(profileFieldText(profileFields()[0], r), c.shown);
        EXPECT_EQ(profileFieldText(profileFields()[1], r), u"全文長﹦ 2");
    }
}

TEST(ProfileGradeRange, FormulaHoldsForLessonLengthsAndSchoolGrades) {
    const struct {
        std::int64_t hanzi;
        double grade;
        bool inRange;
    } cases[] = {{99, 3, false},     {100, 3, true}, {2000, 12, true},    {2001, 6, false},
                 {500, 0.99, false}, {500, 1, true}, {500, 12.01, false}, {500, -1.2, false}};
    for (const auto &c : cases)
        EXPECT_EQ(gradeInRange(c.hanzi, c.grade), c.inRange) << c.hanzi << " " << c.grade;
}

TEST_F(ArticleProfileTest, GradeOfAShortTextCarriesTheMark) {
    ASSERT_EQ(run(u"字龜"), ProfileOutcome::Done);
    EXPECT_FALSE(profile.gradeInRange());
    EXPECT_EQ(profileFieldText(profileFields()[10], profile), u"岷丘年級數﹦ 2.66＊");
}

TEST_F(ArticleProfileTest, LongTextOfThousandsOfDistinctCharactersIsProfiledInFull) {
    std::u16string text;
    for (int round = 0; round < 2; ++round)
        for (int n = 0; n < 5000; ++n)
            text.push_back(charOfOrdinal(n));
    ASSERT_EQ(run(text), ProfileOutcome::Done);
    EXPECT_EQ(profile.entry(kHanziCount), 10000);
    EXPECT_EQ(profile.entry(kDistinctHanzi), 5000);
    EXPECT_EQ(profile.entry(kDensity), 0.5);
    ASSERT_EQ(profile.DistinctCounts.size(), 5000u);
    EXPECT_EQ(profile.DistinctCounts[4999], 2);
}

TEST_F(ArticleProfileTest, DisplayTextsShowCaptionAndGeneralNumber) {
    ASSERT_EQ(run(u"字天龜字"), ProfileOutcome::Done);
    std::vector<std::u16string> texts;
    for (const auto &field : profileFields())
        texts.push_back(profileFieldText(field, profile.ProfileTotals));
    ASSERT_EQ(texts.size(), 21u);
    EXPECT_EQ(texts[0], u"葦氏認知係數﹦ 1.75"); // (100 + 200 + 300 + 100) / 4 / 100
    EXPECT_EQ(texts[1], u"全文長﹦ 4");
    EXPECT_EQ(texts[3], u"字密度﹦ .75");
    EXPECT_EQ(texts[6], u"獨立句數﹦ 1");
    EXPECT_EQ(texts[7], u"小句數﹦ 0");
    EXPECT_EQ(texts[9], u"平均筆畫數﹦ 8");
    EXPECT_EQ(texts[19], u"通用九級字數﹦ 1");
}

} // namespace
} // namespace yuedu::article
