#include <gtest/gtest.h>

#include "article/articleprofile.h"
#include "article/charrecord.h"
#include "articletestdata.h"

namespace yuedu::article {
namespace {

using testdata::charRec;
using testdata::detailRec;

class CharattriTest : public ::testing::Test {
protected:
    std::unique_ptr<LanguageData> data = testdata::makeData({
        {u'字', charRec(39, 6, 19, 0, 0, 3), detailRec(1, 250)},
        {u'孩', charRec(39, 9), detailRec(4, 120)},
        {u'鬱', charRec(192, 29), std::nullopt},
    });
    ProfileResult profile;

    void add(std::u16string_view ch) {
        charattri(*data, ch, profile.ProfileTotals, profile.RadicalSeen);
    }
    double levelCount(int level) const { return profile.ProfileTotals[kLevel1Count - 1 + level]; }
};

TEST_F(CharattriTest, CharactersOutsideTheTablesChangeNothing) {
    for (std::u16string_view ch : {u"", u"a", u" ", u"。", u"「", u"\u263A"})
        add(ch);
    EXPECT_EQ(profile.ProfileTotals, (ProfileFigures{}));
    EXPECT_EQ(profile.RadicalSeen, (std::array<std::int16_t, kRadicals + 1>{}));
}

TEST_F(CharattriTest, AccumulatesCoefficientStrokesLevelAndRadicalOnce) {
    add(u"字");
    add(u"孩");
    EXPECT_EQ(profile.ProfileTotals[kMeanCoefficient], 370);
    EXPECT_EQ(profile.ProfileTotals[kMeanStrokes], 15);
    EXPECT_EQ(levelCount(1), 1);
    EXPECT_EQ(levelCount(4), 1);
    EXPECT_EQ(profile.RadicalSeen[39], 1);
    EXPECT_EQ(std::count(profile.RadicalSeen.begin(), profile.RadicalSeen.end(), 1), 1);
}

TEST_F(CharattriTest, LevelsOutsideOneToNineCountAsLevelTen) {
    std::uint8_t *rec = testdata::detailBytes(*data, u'字');
    const struct {
        std::uint8_t byte39;
        int level;
    } cases[] = {{0x00, 10}, {0x0A, 10}, {0x0F, 10}, {0xA7, 7}, {0xF3, 3}, {0x09, 9}};
    for (const auto &c : cases) {
        rec[39] = c.byte39;
        profile.ProfileTotals = {};
        add(u"字");
        EXPECT_EQ(levelCount(c.level), 1) << int(c.byte39);
    }
}

TEST_F(CharattriTest, CharacterWithoutDetailRecordCountsAtLevelTenWithZeroCoefficient) {
    add(u"鬱");
    EXPECT_EQ(profile.ProfileTotals[kMeanCoefficient], 0);
    EXPECT_EQ(levelCount(10), 1);
    EXPECT_EQ(profile.ProfileTotals[kMeanStrokes], 29);
    EXPECT_EQ(profile.RadicalSeen[192], 1);
}

TEST_F(CharattriTest, NegativeCoefficientSkipsTheCharacter) {
    std::uint8_t *rec = testdata::detailBytes(*data, u'字');
    rec[40] = 0x80;
    add(u"字");
    EXPECT_EQ(profile.ProfileTotals, (ProfileFigures{}));
    EXPECT_EQ(profile.RadicalSeen[39], 0);
}

TEST_F(CharattriTest, RadicalOutOfRangeStopsBeforeTheStrokes) {
    for (std::uint8_t radical : {0, 214}) {
        data->CharRecordTable[4 * tableOrdinal(u'孩') + 2] = radical;
        profile.ProfileTotals = {};
        add(u"孩");
        EXPECT_EQ(levelCount(4), 1);
        EXPECT_EQ(profile.ProfileTotals[kMeanCoefficient], 120);
        EXPECT_EQ(profile.ProfileTotals[kMeanStrokes], 0);
    }
}

TEST(CharRecord, FieldsDecodeFromTheirBits) {
    LanguageData data;
    const int n = tableOrdinal(u'家');
    // initial 11, medial 1; final 1, tone 0; radical 39; 10 strokes
    const std::uint8_t bytes[] = {(11 << 3) | 1, (1 << 4) | 0, 39, 10};
    std::copy(bytes, bytes + 4, data.CharRecordTable.begin() + 4 * n);
    const CharRecord rec = charRecord(data, n);
    EXPECT_EQ(rec.initial, 11);
    EXPECT_EQ(rec.medial, 1);
    EXPECT_EQ(rec.final, 1);
    EXPECT_EQ(rec.tone, 0);
    EXPECT_EQ(rec.radical, 39);
    EXPECT_EQ(rec.strokes, 10);
}

TEST(CharRecord, DetailRecordNumbersAddressOnlyRecordsInsideTheTable) {
    LanguageData data;
    const struct {
        int number;
        bool present;
    } cases[] = {{0, false}, {1, true}, {6374, true}, {6375, false}, {65535, false}};
    for (const auto &c : cases) {
        data.CharDetailTable[0] = static_cast<std::uint8_t>(c.number >> 8);
        data.CharDetailTable[1] = static_cast<std::uint8_t>(c.number & 0xFF);
        const auto rec = detailRecord(data, 0);
        ASSERT_EQ(rec.has_value(), c.present) << c.number;
        if (c.present) {
            EXPECT_EQ(rec->data(), data.CharDetailTable.data() + 26122 + (c.number - 1) * 44);
        }
    }
}

} // namespace
} // namespace yuedu::article
