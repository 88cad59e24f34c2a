// Reduplicated forms: AA, AABB, ABAB, A裡AB, A不A, ABB.
#include <gtest/gtest.h>

#include "langdata/textcodec.h"
#include "passcontextdouble.h"
#include "segment/passes/reduplicationpass.h"

using yuedu::testing::PassContextDouble;

namespace {

struct Case {
    const char *what;
    std::u16string text;
    std::u16string emitted;
    int scanPos = 1;
};

} // namespace

TEST(ReduplicationPass, DecidesByPatternAndFirstRuleThatHolds) {
    const Case cases[] = {
        {"AA verb", u"看看書", u"看看"},
        {"AA verb + 看", u"試試看吧", u"試試看"},
        {"AAA is AA, not A + AA", u"看看看", u"看看看"},
        {"AABB", u"乾乾淨淨的", u"乾乾淨淨"},
        {"AA + 的", u"白白的雲", u"白白的"},
        {"AA + 兒 adjective", u"傻傻兒的", u"傻傻兒"},
        {"AA + 兒 adjective, 子 after", u"傻傻兒子", u""},
        {"AA + 兒 adjective at the end (an empty read is not 子)", u"傻傻兒", u"傻傻兒"},
        {"AA X 兒", u"好好玩兒吧", u"好好玩兒"},
        {"AA X 兒 子", u"好好玩兒子", u""},
        {"AA X 兒 at the end (empty read is in 子童)", u"好好玩兒", u""},
        {"AA not a verb", u"甲甲乙", u""},
        {"ABAB", u"雪白雪白的", u"雪白雪白"},
        {"A裡AB", u"糊裡糊塗的", u"糊裡糊塗"},
        {"ABAB verb", u"研究研究吧", u"研究研究"},
        {"A不A modal", u"是不是他", u"是不是"},
        {"A不A adjective", u"好不好", u"好不好"},
        {"ABA nothing", u"甲乙甲乙", u""},
        {"ABB stem", u"白茫茫的", u"白茫茫"},
        {"一 + doubled measure", u"一條條的", u"一條條"},
        {"小 + doubled noun", u"小狗狗呢", u"小狗狗"},
        {"ABB nothing", u"乙甲甲", u""},
        {"no repetition", u"甲乙丙丁", u""},
    };
    PassContextDouble tester;
    yuedu::seg::ReduplicationPass pass;
    for (const auto &c : cases)
        EXPECT_EQ(tester.run(pass, c.text, c.scanPos), c.emitted) << c.what;
}

TEST(ReduplicationPass, DoubledCharacterBeforeNounAndErComparesTextLengthWithEight) {
    // 小小鳥兒: T2 a noun, T3 兒. Taken when the whole text is longer than 8 characters and T4
    // is neither 子 nor 童, or when it is exactly 8 characters long.
    const Case cases[] = {
        {"text of 5", u"小小鳥兒飛", u""},
        {"text of 9", u"小小鳥兒飛過了天空", u"小小鳥兒"},
        {"text of 9, 子 after", u"小小鳥兒子過了天空", u""},
        {"text of 8", u"小小鳥兒子過了天", u"小小鳥兒"},
        {"text of 8, at the end", u"飛過了天小小鳥兒", u"小小鳥兒", 5},
        {"text of 9, at the end", u"飛過了天空小小鳥兒", u"", 6},
    };
    PassContextDouble tester;
    yuedu::seg::ReduplicationPass pass;
    for (const auto &c : cases)
        EXPECT_EQ(tester.run(pass, c.text, c.scanPos), c.emitted) << c.what;
}
