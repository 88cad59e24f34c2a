#include "charprofile/characterprofile.h"

#include <gtest/gtest.h>

#include "../article/articletestdata.h"

namespace yuedu::charprofile {
namespace {

using testdata::charRec;
using testdata::detailRec;

databuild::DetailRecord fullRecord() {
    databuild::DetailRecord d;
    for (int k = 0; k < 7; ++k)
        d.usage[k] = {k + 1, 1000 * (k + 1) + 1};
    d.p468s = 65535;
    d.p468c = 42;
    d.gradeUse = {101, 202, 303, 404, 505};
    d.grademeanuse = 1234;
    d.edupto = 4321;
    d.zangener = 3;
    d.zanscale = 300;
    return d;
}

class CharacterProfileTest : public ::testing::Test {
protected:
    std::unique_ptr<LanguageData> data = testdata::makeData({
        {u'天', charRec(37, 4), fullRecord()},
        {u'鬱', charRec(192, 29), std::nullopt},
    });
    CharFigures profile;
    void run(std::u16string_view ch) { profile = charprofile(*data, ch); }
};

TEST_F(CharacterProfileTest, DecodesEveryFigureInEntryOrder) {
    run(u"天");
    ASSERT_TRUE(profile.ProfileFound);
    const std::array<std::int32_t, 25> expected = {
        1,    1001,  2,  2001, 3,   3001, 4,   4001, 5,    5001, 6, 6001, 7,
        7001, 65535, 42, 101,  202, 303,  404, 505,  1234, 4321, 3, 300};
    EXPECT_EQ(profile.WordProfile, expected);
}

TEST_F(CharacterProfileTest, NonTableCharactersAndMissingRecordsAreNotFound) {
    for (std::u16string_view ch : {u"", u"a", u"。", u"鬱", u"\u263A"}) {
        run(u"天"); // a found profile first: it must not linger
        run(ch);
        EXPECT_FALSE(profile.ProfileFound);
        EXPECT_EQ(profile.WordProfile, (std::array<std::int32_t, 25>{}));
    }
}

TEST_F(CharacterProfileTest, LevelTakesTheLowBitsAndCoefficientBothBytes) {
    std::uint8_t *rec = testdata::detailBytes(*data, u'天');
    rec[39] = 0xA7;
    rec[40] = 0x01;
    rec[41] = 0x2C;
    run(u"天");
    EXPECT_EQ(profile.figure(24), 7);
    EXPECT_EQ(profile.figure(25), 300);
    EXPECT_EQ(wordProfileText(25, profile.figure(25)), u"3");
    rec[40] = 0xFF;
    rec[41] = 0xFF;
    run(u"天");
    EXPECT_EQ(profile.figure(25), 65535); // unsigned
}

TEST(CharProfileNoData, FieldsNoRecordFillsAreEmptyAndFilledZerosAreShown) {
    // 天 fills every field; 地 only its level. Without 天 in the data only the level is known.
    for (const bool withFull : {true, false}) {
        std::vector<testdata::TestChar> chars = {{u'地', charRec(32, 6), detailRec(2, 0)}};
        if (withFull)
            chars.push_back({u'天', charRec(37, 4), fullRecord()});
        const auto data = testdata::makeData(chars);
        const CharProfileResult result = characterProfiles(*data, u"a地。地");
        ASSERT_EQ(result.ProfileCharList, u"地地");
        EXPECT_EQ(result.distinctCount(), 1u);
        const CharFigures figures = result.at(*data, 0);
        ASSERT_TRUE(figures.ProfileFound);
        EXPECT_EQ(figureText(result, figures, 24), u"2");
        for (int e : {1, 2, 15, 23, 25})
            EXPECT_EQ(figureText(result, figures, e), withFull ? u"0" : u"") << e;
    }
}

TEST(WordProfileText, HundredthsLoseTrailingZerosOtherEntriesStayWhole) {
    const struct {
        int entry;
        std::int32_t value;
        std::u16string_view text;
    } cases[] = {{25, 300, u"3"},     {25, 1234, u"12.34"}, {17, 1230, u"12.3"},
                 {22, 5, u"0.05"},    {21, 0, u"0"},        {18, 65535, u"655.35"},
                 {23, 1234, u"1234"}, {2, 65535, u"65535"}, {16, 300, u"300"}};
    for (const auto &c : cases)
        EXPECT_EQ(wordProfileText(c.entry, c.value), c.text) << c.entry << " " << c.value;
}

TEST(TableCharacters, KeepHanziInOrderWithRepeats) {
    EXPECT_EQ(tableCharacters(u"ab 天地。天\r\n「人」"), u"天地天人");
    EXPECT_EQ(tableCharacters(u"abc 。"), u"");
}

} // namespace
} // namespace yuedu::charprofile
