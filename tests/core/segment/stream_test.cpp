// Segmenting a text that comes in pieces gives exactly the lines of segmenting it whole,
// however it is cut: blanks at either end and long runs of blanks inside, rule passes that look
// ahead and behind, and the tests of the remaining length near the end.
#include <gtest/gtest.h>

#include "segtestdata.h"

using yuedu::seg::PhraseDivider;
using yuedu::testing::SegFixture;

namespace {

std::u16string inPieces(const PhraseDivider &divider, std::u16string_view text, std::size_t size) {
    std::u16string out;
    PhraseDivider::Stream stream(divider, [&out](std::u16string_view line) { out += line; });
    for (std::size_t at = 0; at < text.size(); at += size)
        stream.write(text.substr(at, size));
    stream.finish();
    return out;
}

} // namespace

TEST(SegmentingInPieces, GivesTheLinesOfTheWholeText) {
    const SegFixture f({u"早上", u"我們", u"公園", u"高興", u"跟著", u"資訊科學", u"科學家"},
                       u",資訊科學,");
    const std::u16string prose =
        u"今天早上，我們三個人在公園裡跑來跑去，玩得非常高興。"
        u"小狗狗也跟著跑，好極了！\r\n"
        u"上禮拜他買了十二公尺的布。我們學資訊科學。桌子上有書，桌上有筆。";
    const std::u16string blanks(100, u' ');
    const std::u16string texts[] = {
        u"",
        u"   ",
        blanks,
        u"  " + prose + u"  ",
        prose + blanks + prose,
        blanks + prose + prose + prose + u"看看看一條條" + blanks,
        u"雪白雪白糊裡糊塗" + std::u16string(70, u' ') + u"好不好",
        u"十二",
        u"桌子上",
    };
    for (const auto &text : texts) {
        const std::u16string whole = f.divide(text);
        for (std::size_t size : {1, 2, 3, 7, 63, 64, 65, 200, 100000})
            EXPECT_EQ(inPieces(f.divider(), text, size), whole)
                << "pieces of " << size << " of a text of " << text.size();
    }
}
