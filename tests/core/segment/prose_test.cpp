// A paragraph of ordinary prose through every step: dictionary words, the rule passes and a
// user word, and the layout of the result.
#include <gtest/gtest.h>

#include "segtestdata.h"

using yuedu::testing::SegFixture;

TEST(ProseSegmentation, ParagraphComesOutWordByWord) {
    // Dictionary: 早上 我們 公園 高興 跟著; user word: 資訊科學.
    const SegFixture f({u"早上", u"我們", u"公園", u"高興", u"跟著"}, u",資訊科學,");
    const std::u16string text = u"今天早上，我們三個人在公園裡跑來跑去，玩得非常高興。"
                                u"小狗狗也跟著跑，好極了！\r\n"
                                u"上禮拜他買了十二公尺的布。我們學資訊科學。桌子上有書，桌上有筆。";
    // 今天 time prefix + unit; 三個 numeral + measure; 跑來跑去 and 玩得 verb + complement;
    // 非常 and 好極了 adverbs; 小狗狗 小 + doubled noun; 上禮拜 time word; 買了 verb + 了;
    // 十二公尺 numeral + unit word; 資訊科學 the user word; the rest dictionary words or
    // single characters. 桌子 noun + 子; 桌 上: a noun before a position character stands
    // alone unless the two make a dictionary word.
    const std::u16string expected =
        u"今天  早上  我們  三個  人  在  公園  裡  跑來跑去  玩得  非常  高興  \r\n"
        u"小狗狗  也  跟著  跑  好極了  上禮拜  他  買了  十二公尺  的  布  我們  學  \r\n"
        u"資訊科學  桌子  上  有  書  桌  上  有  筆  \r\n";
    EXPECT_EQ(f.divide(text), expected);
}
