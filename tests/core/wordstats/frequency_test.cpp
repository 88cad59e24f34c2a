#include <gtest/gtest.h>

#include "wordstats/toolsort.h"

using namespace yuedu;

namespace {

struct Row {
    std::u16string word;
    std::int64_t count;
    std::u16string percent;
    bool operator==(const Row &) const = default;
};

std::vector<Row> frequency(std::u16string text, std::int64_t *total = nullptr) {
    static const LanguageData none;
    Toolsort t(none);
    t.WordFrequency(text);
    EXPECT_TRUE(text.empty()) << "the text is handed over";
    std::vector<Row> rows;
    for (std::size_t i = 0; i < t.FreqWords.size(); ++i)
        rows.push_back({t.FreqWords[i], t.FreqCounts[i], t.percentText(i)});
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
    EXPECT_TRUE(frequency(u"天地人。", &total).empty());
    EXPECT_EQ(total, 0);
    EXPECT_TRUE(frequency(u"").empty());
}

TEST(WordFrequency, ANewRunReplacesTheFormerResult) {
    const LanguageData none;
    Toolsort t(none);
    std::u16string first = u"甲  乙  丙  \r\n";
    t.WordFrequency(first);
    std::u16string second = u"丁  \r\n";
    t.WordFrequency(second);
    EXPECT_EQ(t.FreqWords, (std::vector<std::u16string>{u"丁"}));
    EXPECT_EQ(t.FreqCounts, (std::vector<std::int64_t>{1}));
    EXPECT_EQ(t.WordTotal, 1);
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
