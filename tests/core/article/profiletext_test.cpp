#include "article/profiletext.h"

#include <gtest/gtest.h>

#include <string>

namespace yuedu::article {
namespace {

TEST(ProfileFields, DividedEntriesShowTheirScale) {
    ProfileFigures totals{};
    totals[kEstimatedGrade] = -1073; // a grade below zero
    totals[kMeanCoefficient] = 5200;
    const auto &fields = profileFields();
    EXPECT_EQ(profileFieldText(fields[10], totals), u"岷丘年級數﹦-1.073");
    EXPECT_EQ(profileFieldText(fields[0], totals), u"葦氏認知係數﹦ .52");
}

} // namespace
} // namespace yuedu::article
