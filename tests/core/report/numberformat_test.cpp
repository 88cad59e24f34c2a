#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "report/numberformat.h"

using namespace yuedu;
using namespace yuedu::report;

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

TEST(FormatGeneral, WritesPlainNumbersWithSignPlaceAndSevenDigits) {
    const struct {
        double value;
        std::u16string_view text;
    } cases[] = {
        {0, u" 0"},
        {2, u" 2"},
        {2.5, u" 2.5"},
        {0.52, u" .52"},
        {0.0001, u" .0001"},
        {-0.5, u"-.5"},
        {-3.25, u"-3.25"},
        {1.0 / 3, u" .3333333"},
        {2.0 / 3, u" .6666667"},
        {1234567, u" 1234567"},
        {9999999.4, u" 9999999"},
        {12345678, u" 12345678"}, // a count keeps every digit, never an exponent
        {12345678.9, u" 12345680"},
        {0.00001, u" .00001"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatGeneral(c.value), c.text) << c.value;
}

// The window runs under a toolkit that switches the C library to the user's locale; a German or
// French user must still see a full stop.
TEST(FormatGeneral, KeepsTheFullStopUnderACommaLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    const char *comma = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE"})
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = name;
            break;
        }
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::u16string small = formatGeneral(0.52);
    const std::u16string mean = formatGeneral(-8.33);
    const std::u16string large = formatGeneral(12345678);
    std::setlocale(LC_NUMERIC, before.c_str());
    EXPECT_EQ(small, u" .52") << comma;
    EXPECT_EQ(mean, u"-8.33") << comma;
    EXPECT_EQ(large, u" 12345678") << comma;
}

TEST(GeneralNumber, GivesSevenSignificantDigitsInTheCLocale) {
    const struct {
        double value;
        std::string_view text;
    } cases[] = {
        {0, "0"},
        {0.25, "0.25"},
        {-0.5, "-0.5"},
        {1.0 / 3, "0.3333333"},
        {12052650, "12052650"}, // totals at any size in plain digits
        {1e15, "1000000000000000"},
        {12345678.9, "12345680"},
        {-1234567.89, "-1234568"},
        {0.00001, "0.00001"},
        {1.5e-9, "0.0000000015"},
        {62.626, "62.626"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(generalNumber(c.value), c.text) << c.value;
    EXPECT_EQ(wholeNumber(-9007199254740993), "-9007199254740993");
    EXPECT_EQ(decimalText(1234567890123), u"1234567890123");
}

// Figures that are exact as they are leave the program with the fewest digits that read back as
// the same double: what a person would write, and what a statistics package reads back exactly.
TEST(ExactNumber, WritesTheShortestPlainDecimalThatReadsBack) {
    const struct {
        double value;
        std::string_view text;
    } cases[] = {
        {27 / 10.0, "2.7"}, // not 2.7000000000000002
        {534 / 10.0, "53.4"},
        {91 / 10.0, "9.1"},
        {7345 / 1000.0, "7.345"},
        {0.1 + 0.2, "0.30000000000000004"}, // a different double, so different digits
        {1e-7, "0.0000001"},
        {12052650, "12052650"},
        {1.7218e6, "1721800"},
        {-0.5, "-0.5"},
        {0, "0"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(exactNumber(c.value), c.text) << c.value;
        EXPECT_EQ(std::stod(std::string(exactNumber(c.value))), c.value) << c.value;
    }
}

// A ratio is kept to hundredths as it always was, but a small one of a long text keeps two
// significant digits rather than reading 0; either way it is written back in those digits.
TEST(RatioToShow, KeepsHundredthsOrTwoDigitsWhereHundredthsReadZero) {
    const struct {
        double numerator, denominator;
        std::string_view text;
    } cases[] = {
        {3, 4, "0.75"},
        {1, 8, "0.12"}, // halves to even
        {3, 8, "0.38"},
        {1, 1, "1"},
        {4, 5, "0.8"},
        {1, 51, "0.02"},           // 0.0196: hundredths do not read 0
        {5000, 1721800, "0.0029"}, // a long text: not 0
        {1, 300, "0.0033"},
        {5, 1000, "0.005"}, // 0.005 rounds to 0 hundredths (even)
        {1, 12052650, "0.000000083"},
        {0, 10, "0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(exactNumber(ratioToShow(c.numerator, c.denominator)), c.text)
            << c.numerator << "/" << c.denominator;
}
