#include <gtest/gtest.h>

#include <map>
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

namespace {

using Counts = std::vector<std::pair<std::u16string, std::int64_t>>;

Counts counted(const WordTally &tally) {
    Counts out;
    for (const auto &e : tally.sorted())
        out.emplace_back(e.word, e.count);
    return out;
}

} // namespace

TEST(WordTally, CountsEachWordOnceInUtf16CodeUnitOrder) {
    // 的 is AABA and 是 AC4F in Big5, but U+7684 comes after U+662F.
    WordTally t;
    for (const char16_t *w :
         {u"的", u"是", u"天地", u"天", u"", u"a", u"\uFF01", u"\u00E9", u"天", u""})
        t.add(w);
    EXPECT_EQ(counted(t), (Counts{{u"", 2},
                                  {u"a", 1},
                                  {u"\u00E9", 1},
                                  {u"天", 2},
                                  {u"天地", 1},
                                  {u"是", 1},
                                  {u"的", 1},
                                  {u"\uFF01", 1}}));
    EXPECT_EQ(t.total(), 10);

    // Enough words to grow the table many times, against an ordered map.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> len(0, 4), ch(0x4E00, 0x4E20);
    std::map<std::u16string, std::int64_t> expected;
    WordTally many;
    for (int i = 0; i < 60000; ++i) {
        std::u16string w;
        for (int k = len(rng); k > 0; --k)
            w += static_cast<char16_t>(ch(rng));
        ++expected[w];
        many.add(w);
    }
    EXPECT_EQ(counted(many), Counts(expected.begin(), expected.end()));
    EXPECT_EQ(many.distinct(), expected.size());
}

TEST(PieceStream, CountsThePiecesOfTheWholeTextHoweverItIsCut) {
    // Short texts of blanks, line ends and two characters hit every rule of the scan: empty
    // pieces, the bound of the trimmed text, leading blanks, CR LF parted between blocks.
    std::mt19937 rng(11);
    const char16_t alphabet[] = {u' ', u' ', u' ', u'\r', u'\n', u'天', u'a'};
    std::uniform_int_distribution<int> pick(0, 6), length(0, 24), block(0, 5);
    for (int trial = 0; trial < 4000; ++trial) {
        std::u16string text;
        for (int k = length(rng); k > 0; --k)
            text += alphabet[pick(rng)];
        for (const bool lfAsCrlf : {false, true}) {
            const WordTally whole =
                tallyOf(scan(lfAsCrlf ? crlfLineBreaks(text) : text, PieceScan::Clean));
            WordTally streamed;
            PieceStream stream(streamed, lfAsCrlf);
            for (int round = 0; round < 2; ++round) { // the stream is used again after finish
                for (std::size_t at = 0; at < text.size();) {
                    const std::size_t n = std::min<std::size_t>(block(rng), text.size() - at);
                    stream.write(std::u16string_view(text).substr(at, n));
                    at += n;
                }
                stream.finish();
            }
            ASSERT_EQ(streamed.total(), 2 * whole.total()) << testing::PrintToString(text);
            Counts twice = counted(whole);
            for (auto &entry : twice)
                entry.second *= 2;
            ASSERT_EQ(counted(streamed), twice) << testing::PrintToString(text);
        }
    }
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
