#include "article/profiletext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace yuedu::article {
namespace {

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
        {12345678, u" 1.234568E+07"},
        {0.00001, u" 1E-05"},
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
    EXPECT_EQ(large, u" 1.234568E+07") << comma;
}

TEST(ProfileFields, DividedEntriesShowTheirScale) {
    std::array<double, 23> totals{};
    totals[11] = -1073; // a grade below zero
    totals[1] = 5200;
    const auto &fields = profileFields();
    EXPECT_EQ(profileFieldText(fields[10], totals), u"岷丘年級數﹦-1.073");
    EXPECT_EQ(profileFieldText(fields[0], totals), u"葦氏認知係數﹦ .52");
}

} // namespace
} // namespace yuedu::article
