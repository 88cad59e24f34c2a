// The scan over the text and the layout of the segmented result.
#include <gtest/gtest.h>

#include "segtestdata.h"

using yuedu::testing::SegFixture;
using yuedu::testing::segmentedText;
using yuedu::testing::wordsOf;

namespace {

// 甲乙 is a dictionary word; no rule pass touches these characters.
const SegFixture &fixture() {
    static const SegFixture f({u"甲乙"});
    return f;
}

std::u16string repeat(std::u16string_view s, int n) {
    std::u16string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

} // namespace

TEST(SegmentedText, TwoWordsAndAFullStop) {
    EXPECT_EQ(fixture().divide(u"甲乙甲乙。"), u"甲乙  甲乙  \r\n");
}

TEST(SegmentedText, LinesHoldTwelveThenThirteenWords) {
    const std::u16string line12 = repeat(u"甲乙  ", 12) + u"\r\n";
    const std::u16string line13 = repeat(u"甲乙  ", 13) + u"\r\n";
    EXPECT_EQ(fixture().divide(repeat(u"甲乙", 12)), line12);
    EXPECT_EQ(fixture().divide(repeat(u"甲乙", 13)), line12 + u"甲乙  \r\n");
    EXPECT_EQ(fixture().divide(repeat(u"甲乙", 25)), line12 + line13);
    EXPECT_EQ(fixture().divide(repeat(u"甲乙", 26)), line12 + line13 + u"甲乙  \r\n");
    EXPECT_EQ(fixture().divide(repeat(u"甲乙", 38)), line12 + line13 + line13);
}

TEST(SegmentedText, EverythingButHanziIsPassedOver) {
    struct Case {
        std::u16string text, expected;
    };
    const Case cases[] = {
        {u"甲乙 abc 12\r\n甲乙", u"甲乙|甲乙"},
        {u"甲，乙", u"甲|乙"},             // a symbol splits what would be a word
        {u"甲乙\u3000甲乙", u"甲乙|甲乙"}, // full-width blank (a Big5 symbol)
        {u"甲乙é😀甲乙", u"甲乙|甲乙"},     // no Big5 code and no hanzi
        {u"甲乙\u2593甲乙", u"甲乙|甲乙"}, // Big5 F9FE, beyond the last table character
    };
    for (const auto &c : cases)
        EXPECT_EQ(wordsOf(fixture().divide(c.text)), c.expected);
}

TEST(SegmentedText, HanziWithoutARecordAreWordsOfTheirOwn) {
    EXPECT_EQ(wordsOf(fixture().divide(u"甲乙邨甲乙")), u"甲乙|邨|甲乙");
    EXPECT_EQ(wordsOf(fixture().divide(u"邨\U00020000\U00020000甲乙")),
              u"邨|\U00020000|\U00020000|甲乙");
    // A lone surrogate is no character and is passed over.
    EXPECT_EQ(wordsOf(fixture().divide(std::u16string(u"甲乙") + char16_t(0xD840))), u"甲乙");
}

TEST(SegmentedText, LineEndsOfEveryKindSegmentAlike) {
    const std::u16string crlf = u"甲乙\r\n甲\r\n乙甲乙\r\n";
    for (const char16_t *end : {u"\n", u"\r"}) {
        std::u16string text = crlf;
        for (std::size_t at; (at = text.find(u"\r\n")) != std::u16string::npos;)
            text.replace(at, 2, end);
        EXPECT_EQ(fixture().divide(text), fixture().divide(crlf));
    }
}

TEST(SegmentedText, EmptyTextGivesNothingAndTextWithoutHanziGivesALineEnd) {
    EXPECT_EQ(fixture().divide(u""), u"");
    EXPECT_EQ(fixture().divide(u"   "), u"\r\n");
    EXPECT_EQ(fixture().divide(u"abc, 123。"), u"\r\n");
}

TEST(SegmentedText, BlanksAtTheEndsDoNotShortenTheScan) {
    // Positions count in the trimmed text: the last hanzi is still reached, and the word at
    // the end is recognised as the last characters of the text.
    EXPECT_EQ(fixture().divide(u"  甲乙甲乙丙"), u"甲乙  甲乙  丙  \r\n");
    EXPECT_EQ(fixture().divide(u"甲乙丙  "), u"甲乙  丙  \r\n");
}

TEST(SegmentedText, LongTextIsSegmentedInFull) {
    // Far beyond the 32,766 positions of a 16-bit counter.
    const int words = 40000;
    const std::u16string result = fixture().divide(repeat(u"甲乙", words));
    std::u16string expected = repeat(u"甲乙  ", 12) + u"\r\n";
    for (int left = words - 12; left > 0; left -= 13)
        expected += repeat(u"甲乙  ", std::min(left, 13)) + u"\r\n";
    EXPECT_EQ(result.size(), expected.size());
    EXPECT_TRUE(result == expected);
}

TEST(SegmentedText, LinesAreHandedOutInOrder) {
    std::vector<std::u16string> lines;
    fixture().divider().DivideText(repeat(u"甲乙", 27),
                                   [&](std::u16string_view line) { lines.emplace_back(line); });
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], repeat(u"甲乙  ", 12) + u"\r\n");
    EXPECT_EQ(lines[2], repeat(u"甲乙  ", 2) + u"\r\n");
    EXPECT_EQ(segmentedText(u"甲乙|甲乙"), u"甲乙  甲乙  \r\n");
}
