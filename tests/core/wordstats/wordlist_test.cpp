#include <gtest/gtest.h>

#include <random>

#include "wordstats/wordlist.h"

using namespace yuedu;
using namespace yuedu::wordstats;

namespace {

PieceList scan(std::u16string_view text, PieceScan variant) {
    PieceList words;
    ScanPieces(text, variant, words);
    return words;
}

struct ScanCase {
    const char *name;
    std::u16string text;
    PieceList clean;
    PieceList raw;
};

} // namespace

TEST(PieceScan, CutsAtDoubleBlanksAsTheSegmenterWritesThem) {
    const std::vector<ScanCase> cases = {
        {"final line break", u"天  地  人  \r\n", {u"天", u"地", u"人"}, {u"天", u"地", u"人"}},
        {"no final line break: only the raw scan drops the last word",
         u"天  地  人  ",
         {u"天", u"地", u"人"},
         {u"天", u"地"}},
        {"line break inside a piece",
         u"天地  \r\n人們  \r\n",
         {u"天地", u"人們"},
         {u"天地", u"\r\n人們"}},
        {"four blanks give an empty piece",
         u"天    地  \r\n",
         {u"天", u"", u"地"},
         {u"天", u"", u"地"}},
        {"three blanks leave a blank in front", u"天   地  \r\n", {u"天", u"地"}, {u"天", u" 地"}},
        {"a single blank does not separate",
         u"甲 乙  丙  \r\n",
         {u"甲 乙", u"丙"},
         {u"甲 乙", u"丙"}},
        {"every line break ends a word",
         u"天  a\r\nb\r\n地  \r\n",
         {u"天", u"a", u"b", u"地"},
         {u"天", u"a\r\nb\r\n地"}},
        {"hand-segmented lines: the last word of each line counts",
         u"天  地\r\n人  們\n日  月\r星\r\n",
         {u"天", u"地", u"人", u"們", u"日", u"月", u"星"},
         {u"天", u"地\r\n人", u"們\n日"}},
        {"the segmenter's line ends give no empty words",
         u"天  \r\n地  \n人  \r星  \r\n\r\n",
         {u"天", u"地", u"人", u"星"},
         {u"天", u"\r\n地", u"\n人", u"\r星"}},
        {"tabs and full-width blanks stay", u"\t天\u3000  \r\n", {u"\t天\u3000"}, {u"\t天\u3000"}},
        {"punctuation is a piece like any other", u"。  天  \r\n", {u"。", u"天"}, {u"。", u"天"}},
        {"a line end alone ends a word", u"天地人\r\n", {u"天地人"}, {}},
        {"the end of the text ends a word", u"天地人", {u"天地人"}, {}},
        {"and so does the end of a last line segmented by hand, even after one character",
         u"天  地  人們\r\n山  川",
         {u"天", u"地", u"人們", u"山", u"川"},
         {u"天", u"地", u"人們\r\n山"}},
        {"empty text", u"", {}, {}},
        {"blanks only", u"      ", {}, {}},
        // Leading blanks shorten the raw scan's bound; the clean scan runs to the end.
        {"leading double blank", u"  天  地  ", {u"", u"天", u"地"}, {u"", u"天"}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(scan(c.text, PieceScan::Clean), c.clean) << c.name;
        EXPECT_EQ(scan(c.text, PieceScan::Raw), c.raw) << c.name;
    }
}

TEST(PieceScan, AppendsToWhatIsAlreadyThereAndCountsTheNewPieces) {
    PieceList words{u"甲"};
    EXPECT_EQ(ScanPieces(u"乙  丙  \r\n", PieceScan::Clean, words), 2u);
    EXPECT_EQ(words, (PieceList{u"甲", u"乙", u"丙"}));
}

TEST(PieceScan, AMillionWordsAreAllCounted) {
    std::u16string text;
    const std::size_t n = 1'000'000;
    text.reserve(n * 3 + n / 13 * 2 + 2);
    for (std::size_t i = 0; i < n; ++i) {
        text += (i % 2 ? u"天  " : u"地  ");
        if (i % 13 == 12)
            text += u"\r\n";
    }
    text += u"\r\n";
    PieceList words;
    EXPECT_EQ(ScanPieces(text, PieceScan::Clean, words), n);
    EXPECT_EQ(words.back(), u"天");
}

TEST(SortWords, OrdersByUtf16CodeUnitsNotBig5) {
    // 的 is AABA and 是 AC4F in Big5, but U+7684 comes after U+662F.
    PieceList list{u"的", u"是", u"天地", u"天", u"", u"a", u"\uFF01", u"\u00E9"};
    SortWords(list, 0, list.size() - 1);
    EXPECT_EQ(list, (PieceList{u"", u"a", u"\u00E9", u"天", u"天地", u"是", u"的", u"\uFF01"}));
}

TEST(SortWords, SortsOnlyTheGivenRange) {
    PieceList list{u"丙", u"乙", u"甲", u"丁", u"丙"};
    SortWords(list, 1, 3);
    EXPECT_EQ(list, (PieceList{u"丙", u"丁", u"乙", u"甲", u"丙"}));
    SortWords(list, 4, 4); // a range of one slot is left alone
    SortWords(list, 3, 2);
    EXPECT_EQ(list, (PieceList{u"丙", u"丁", u"乙", u"甲", u"丙"}));
}

TEST(SortWords, GivesTheSameListAsAStableReferenceSortOnLargeRandomInput) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> len(0, 4), ch(0x4E00, 0x4E10);
    PieceList list(5000);
    for (auto &w : list)
        for (int i = len(rng); i > 0; --i)
            w += static_cast<char16_t>(ch(rng));
    PieceList expected = list;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::u16string &a, const std::u16string &b) {
                         return std::lexicographical_compare(
                             a.begin(), a.end(), b.begin(), b.end(),
                             [](char16_t x, char16_t y) { return unsigned(x) < unsigned(y); });
                     });
    SortWords(list, 0, list.size() - 1);
    EXPECT_EQ(list, expected);
}

TEST(GroupRuns, ClosesEveryRunIncludingALastRunOfOne) {
    using Runs = std::vector<std::pair<std::u16string, std::int64_t>>;
    auto runs = [](PieceList words) {
        SortWords(words, 0, words.empty() ? 0 : words.size() - 1);
        Runs out;
        groupRuns(words, [&](const std::u16string &w, std::int64_t n) { out.emplace_back(w, n); });
        return out;
    };
    EXPECT_EQ(runs({u"甲", u"乙", u"甲"}), (Runs{{u"乙", 1}, {u"甲", 2}}));
    EXPECT_EQ(runs({u"甲", u"乙"}), (Runs{{u"乙", 1}, {u"甲", 1}}));
    EXPECT_EQ(runs({u"", u"甲", u""}), (Runs{{u"", 2}, {u"甲", 1}}));
    EXPECT_EQ(runs({}), Runs{});
}

TEST(PieceScan, UnixLineEndsGiveTheWordsOfWindowsLineEnds) {
    EXPECT_EQ(scan(u"天  地  \n天  人  \n", PieceScan::Clean),
              scan(u"天  地  \r\n天  人  \r\n", PieceScan::Clean));
    EXPECT_EQ(scan(u"天  地  \r天  人  \r", PieceScan::Clean),
              scan(u"天  地  \r\n天  人  \r\n", PieceScan::Clean));
}

TEST(PieceScan, UnixLineEndsGiveTheWordsOfWindowsLineEndsOnceTurnedIntoCrLf) {
    EXPECT_EQ(crlfLineBreaks(u"\n天  \r\n地  \n\n"), u"\r\n天  \r\n地  \r\n\r\n");
    EXPECT_EQ(crlfLineBreaks(u"天\r  地"), u"天\r  地"); // a lone carriage return stays
    const std::u16string unix = crlfLineBreaks(u"天  地  \n天  人  \n");
    EXPECT_EQ(scan(unix, PieceScan::Clean), (PieceList{u"天", u"地", u"天", u"人"}));
    EXPECT_EQ(scan(unix, PieceScan::Raw), (PieceList{u"天", u"地", u"\r\n天", u"人"}));
}
