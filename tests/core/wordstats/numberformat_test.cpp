#include <gtest/gtest.h>

#include "wordstats/numberformat.h"

using namespace yuedu;
using namespace yuedu::wordstats;

TEST(FormatFixed, RoundsAnExactHalfAwayFromZero) {
    const struct {
        float value;
        int decimals;
        std::u16string text;
    } cases[] = {
        {0.125f, 2, u"0.13"},
        {0.375f, 2, u"0.38"},
        {2.5f, 0, u"3"},
        {-0.125f, 2, u"-0.13"},
        {0.145f, 2, u"0.15"},
        {0.0f, 2, u"0.00"},
        {100.0f, 2, u"100.00"},
        {99.996f, 2, u"100.00"},
        {0.004f, 2, u"0.00"},
        {0.005f, 2, u"0.01"},
        {2.3f, 1, u"2.3"},
        {0.5f, 1, u"0.5"},
        {9.0f, 1, u"9.0"},
        {12345.67f, 1, u"12345.7"},
        {-0.001f, 2, u"0.00"},
        {1e-9f, 2, u"0.00"},
        {1234567.0f, 2, u"1234567.00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
}

TEST(FormatFixed, PercentagesOfThirdsShowTwoDecimals) {
    EXPECT_EQ(formatFixed(percentOf(1, 3), 2), u"33.33");
    EXPECT_EQ(formatFixed(percentOf(2, 3), 2), u"66.67");
    EXPECT_EQ(formatFixed(percentOf(1, 8), 2), u"12.50");
    EXPECT_EQ(formatFixed(percentOf(1, 800), 2), u"0.13"); // 0.125: printf would give 0.12
}
