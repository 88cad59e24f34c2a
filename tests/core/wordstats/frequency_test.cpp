#include <gtest/gtest.h>

#include "wordstats/frequency.h"

using namespace yuedu;
using namespace yuedu::wordstats;

namespace {

struct Row {
    std::u16string word;
    std::int64_t count;
    std::u16string percent;
    bool operator==(const Row &) const = default;
};

std::vector<Row> frequency(std::u16string text, std::int64_t *total = nullptr) {
    const FrequencyResult t = WordFrequency(text);
    std::vector<Row> rows;
    for (std::size_t i = 0; i < t.words.size(); ++i)
        rows.push_back({t.words[i].word, t.words[i].count, t.percentText(i)});
    if (total)
        *total = t.WordTotal;
    return rows;
}

} // namespace

TEST(WordFrequency, CountsEachDistinctWordInAscendingOrder) {
    std::int64_t total = 0;
    EXPECT_EQ(frequency(u"天  地  天  \r\n", &total),
              (std::vector<Row>{{u"地", 1, u"33.33"}, {u"天", 2, u"66.67"}}));
    EXPECT_EQ(total, 3);
    EXPECT_EQ(frequency(u"天  地  \r\n"),
              (std::vector<Row>{{u"地", 1, u"50.00"}, {u"天", 1, u"50.00"}}));
}

TEST(WordFrequency, AnEmptyPieceIsAWordThatSortsFirst) {
    std::int64_t total = 0;
    auto rows = frequency(u"天    地  \r\n", &total);
    EXPECT_EQ(total, 3);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Row{u"", 1, u"33.33"}));
}

TEST(WordFrequency, TheFirstWordOfALineCountsWithTheSameWordElsewhere) {
    std::u16string text;
    for (int i = 0; i < 12; ++i)
        text += u"甲  ";
    text += u"\r\n乙  甲  \r\n";
    auto rows = frequency(text);
    EXPECT_EQ(rows, (std::vector<Row>{{u"乙", 1, u"7.14"}, {u"甲", 13, u"92.86"}}));
}

TEST(WordFrequency, ATextWithoutWordsGivesNoRowsAndNoPercentage) {
    std::int64_t total = -1;
    // Blanks and line ends only (a line end or the end of the text ends a word, as in
    // "天地人。", which is one).
    EXPECT_TRUE(frequency(u"\r\n\r\n", &total).empty());
    EXPECT_EQ(total, 0);
    EXPECT_TRUE(frequency(u"").empty());
}

TEST(WordFrequency, FullPrecisionPercentagesAddUpToAHundred) {
    // Shown with two decimals most rows of a long text read 0.00; the exact shares must still
    // account for every word.
    std::u16string text;
    for (int i = 0; i < 7000; ++i)
        text += std::u16string(1, static_cast<char16_t>(0x4E00 + i % 3001)) + u"  ";
    text += u"\r\n";
    const FrequencyResult t = WordFrequency(text);
    double sum = 0;
    for (std::size_t i = 0; i < t.size(); ++i)
        sum += t.percent(i);
    EXPECT_NEAR(sum, 100.0, 1e-9);
    EXPECT_EQ(t.percentText(t.size() - 1), u"0.03");
    EXPECT_DOUBLE_EQ(t.percent(t.size() - 1), 200.0 / 7000);
}

TEST(WordFrequency, CountsBeyondSixteenBits) {
    std::u16string text;
    for (int i = 0; i < 40000; ++i)
        text += (i % 4 ? u"天  " : u"地  ");
    text += u"\r\n";
    std::int64_t total = 0;
    auto rows = frequency(text, &total);
    EXPECT_EQ(total, 40000);
    EXPECT_EQ(rows, (std::vector<Row>{{u"地", 10000, u"25.00"}, {u"天", 30000, u"75.00"}}));
}
