#include <gtest/gtest.h>

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/constants.h"

using namespace yuedu;

namespace {

char16_t fromCode(std::uint16_t code) { return CodePage950::instance().unicodeOf(code); }

} // namespace

TEST(Big5Ordinal, CodesMapOntoTheDenseRange) {
    struct Case {
        std::uint16_t code;
        int ordinal;
    };
    const Case cases[] = {{0xA440, 0},     {0xA47E, 62},    {0xA4A1, 63},   {0xA4FE, 156},
                          {0xA540, 157},   {0xC67E, 5400},  {0xC940, 5401}, {0xF9D5, 13052},
                          {0xF9DC, 13059}, {0xA3FE, -1},    {0xC6A1, 4993}, {0xC8FE, 5400}};
    for (const auto& c : cases)
        EXPECT_EQ(big5ordinalOfCode(c.code), c.ordinal) << std::hex << c.code;
}

TEST(Big5Ordinal, TableCharactersAreTheHanziOnly) {
    EXPECT_EQ(tableOrdinal(u'一'), 0);
    EXPECT_EQ(tableOrdinal(fromCode(0xC67E)), 5400);
    EXPECT_EQ(tableOrdinal(fromCode(0xC940)), 5401);
    EXPECT_EQ(tableOrdinal(fromCode(0xF9DC)), 13059);
    EXPECT_EQ(big5ordinal(std::u16string(1, fromCode(0xA540))), 157);
    // Symbols and punctuation have negative ordinals; the box drawing at F9DD.. is too high.
    for (char16_t c : {u'。', u'，', u'\u3000', fromCode(0xA3FE), fromCode(0xF9DD), fromCode(0xF9FE)})
        EXPECT_FALSE(isTableChar(c)) << int(c);
    // Single-byte characters and characters outside Big5 never are.
    for (char16_t c : {u'a', u'7', u' ', u'\r', u'\n', u'\u00e9', u'\u4e2a' /* simplified */, u'\xD800'})
        EXPECT_FALSE(isTableChar(c)) << int(c);
    // The private-use codes between the two hanzi sets come back with ordinals of the first set.
    EXPECT_EQ(tableOrdinal(fromCode(0xC6A1)), 4993);
    EXPECT_NE(fromCode(0xC6A1), u'\uFFFD');
}

TEST(Big5Ordinal, OrdinalRoundTripsThroughCharOfOrdinal) {
    for (int n : {0, 62, 63, 5400, 5401, 13052, 13059})
        EXPECT_EQ(tableOrdinal(charOfOrdinal(n)), n) << n;
    EXPECT_EQ(charOfOrdinal(-1), u'\0');
    EXPECT_EQ(charOfOrdinal(13060), u'\0');
}

TEST(Constants, ListsHaveTheirDocumentedSizesAndOrder) {
    using namespace constants;
    EXPECT_EQ(BopomofoInitials.size(), 21u);
    EXPECT_EQ(BopomofoMedials.size(), 3u);
    EXPECT_EQ(BopomofoFinals.size(), 13u);
    EXPECT_EQ(ToneMarks.size(), 5u);
    ASSERT_EQ(RadicalList.size(), 213u);
    ASSERT_EQ(RadicalDisplayList.size(), 213u);
    EXPECT_EQ(RadicalList[1], u'\u2223');
    EXPECT_EQ(RadicalDisplayList[33], u'夊');
    EXPECT_EQ(RadicalDisplayList[34], u'夕'); // entry 35 is the standard radical 36
    EXPECT_EQ(RadicalDisplayList[212], u'龠');
    // Every stored radical is a code page 950 character.
    for (char16_t c : RadicalList)
        EXPECT_TRUE(CodePage950::instance().isDoubleByte(c)) << int(c);

    const std::u16string& common = CommonCharList();
    ASSERT_EQ(common.size(), 498u);
    EXPECT_EQ(common[0], u'的');
    EXPECT_EQ(common[200], u'妹');
    EXPECT_EQ(common[201], u'二');
    EXPECT_EQ(common[497], u'七');
}
