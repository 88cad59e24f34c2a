#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/constants.h"

using namespace yuedu;

namespace {

char16_t fromCode(std::uint16_t code) {
    return CodePage950::instance().unicodeOf(code);
}

} // namespace

TEST(Big5Ordinal, CodesMapOntoTheDenseRange) {
    struct Case {
        std::uint16_t code;
        int ordinal;
    };
    const Case cases[] = {{0xA440, 0},     {0xA47E, 62},   {0xA4A1, 63},   {0xA4FE, 156},
                          {0xA540, 157},   {0xC67E, 5400}, {0xC940, 5401}, {0xF9D5, 13052},
                          {0xF9DC, 13059}, {0xA3FE, -1},   {0xC6A1, 4993}, {0xC8FE, 5400}};
    for (const auto &c : cases)
        EXPECT_EQ(big5ordinalOfCode(c.code), c.ordinal) << std::hex << c.code;
}

TEST(Big5Ordinal, TableCharactersAreTheHanziOnly) {
    EXPECT_EQ(tableOrdinal(u'一'), 0);
    EXPECT_EQ(tableOrdinal(fromCode(0xC67E)), 5400);
    EXPECT_EQ(tableOrdinal(fromCode(0xC940)), 5401);
    EXPECT_EQ(tableOrdinal(fromCode(0xF9DC)), 13059);
    EXPECT_EQ(big5ordinal(std::u16string(1, fromCode(0xA540))), 157);
    // Symbols and punctuation have negative ordinals; the box drawing at F9DD.. is too high.
    for (char16_t c :
         {u'。', u'，', u'\u3000', fromCode(0xA3FE), fromCode(0xF9DD), fromCode(0xF9FE)})
        EXPECT_FALSE(isTableChar(c)) << int(c);
    // Single-byte characters and characters outside Big5 never are.
    for (char16_t c :
         {u'a', u'7', u' ', u'\r', u'\n', u'\u00e9', u'\u4e2a' /* simplified */, u'\xD800'})
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

    const std::u16string &common = CommonCharList();
    ASSERT_EQ(common.size(), 498u);
    EXPECT_EQ(common[0], u'的');
    EXPECT_EQ(common[200], u'妹');
    EXPECT_EQ(common[201], u'二');
    EXPECT_EQ(common[497], u'七');
}

// The tables compiled into the program are ICU's windows-950-2000 mapping, character by
// character in both directions (a wrong or stale generated table shows here).
TEST(CodePage950Table, AgreesWithIcuForEveryCharacterAndCode) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter *conv = ucnv_open("windows-950-2000", &status);
    ASSERT_TRUE(U_SUCCESS(status));
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setToUCallBack(conv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    const CodePage950 &cp = CodePage950::instance();
    int wrong = 0;
    for (std::uint32_t u = 0; u < 0x10000; ++u) {
        const UChar in = static_cast<UChar>(u);
        char out[8];
        status = U_ZERO_ERROR;
        ucnv_resetFromUnicode(conv);
        const int n =
            u >= 0xD800 && u <= 0xDFFF ? 0 : ucnv_fromUChars(conv, out, 8, &in, 1, &status);
        std::uint16_t code = 0;
        if (U_SUCCESS(status) && n == 1)
            code = static_cast<unsigned char>(out[0]);
        else if (U_SUCCESS(status) && n == 2)
            code = static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                              static_cast<unsigned char>(out[1]));
        wrong += cp.code(static_cast<char16_t>(u)) != code;
    }
    for (std::uint32_t code = 0x8140; code <= 0xFEFE; ++code) {
        if ((code & 0xFF) < 0x40 || (code & 0xFF) == 0xFF)
            continue;
        const char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        UChar out[4];
        status = U_ZERO_ERROR;
        ucnv_resetToUnicode(conv);
        const int n = ucnv_toUChars(conv, out, 4, in, 2, &status);
        wrong += cp.unicodeOf(static_cast<std::uint16_t>(code)) !=
                 (U_SUCCESS(status) && n == 1 ? out[0] : u'\uFFFD');
    }
    ucnv_close(conv);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(cp.unicodeOf(0xA440), u'\u4E00'); // 一
}
