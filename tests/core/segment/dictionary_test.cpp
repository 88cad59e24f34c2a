// Dictionary matching: how the groups of the word tables are read and searched, and the two
// decisions the driver takes from the dictionary alone.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "databuild/segdict.h"
#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"
#include "segment/phrasedivider.h"
#include "segment/segdictionary.h"
#include "segtestdata.h"

using namespace yuedu;
using yuedu::testing::segData;
using yuedu::testing::SegFixture;
using yuedu::testing::wordsOf;

namespace {

// Points the group of `first` in one index block at raw bytes placed at 1-based position
// `start` of the table.
void putGroup(LanguageData &d, bool aux, char16_t first, std::size_t start,
              std::vector<std::uint8_t> bytes, std::size_t length = std::size_t(-1)) {
    const int k = tableOrdinal(first);
    ASSERT_GE(k, 0);
    Bytes &table = aux ? d.SegAuxTable : d.SegWordTable;
    std::copy(bytes.begin(), bytes.end(), table.begin() + (start - 1));
    if (length == std::size_t(-1))
        length = bytes.size();
    std::uint8_t *e = d.SegIndexTable.data() + (aux ? layout::kSegAuxBlock : 0) + 5 * k;
    e[0] = std::uint8_t(start >> 16), e[1] = std::uint8_t(start >> 8), e[2] = std::uint8_t(start);
    e[3] = std::uint8_t(length >> 8), e[4] = std::uint8_t(length);
}

std::vector<std::uint8_t> big5(std::u16string_view s) {
    std::vector<std::uint8_t> out;
    for (char16_t c : s) {
        const auto code = CodePage950::instance().code(c);
        out.push_back(std::uint8_t(code >> 8));
        out.push_back(std::uint8_t(code));
    }
    return out;
}

} // namespace

TEST(SegDictionary, UnitBelow0x80IsTwoSingleByteCharacters) {
    LanguageData d;
    // 甲's group: the unit 41 42 ("AB") and then 乙.
    auto bytes = std::vector<std::uint8_t>{0x41, 0x42};
    auto yi = big5(u"乙");
    bytes.insert(bytes.end(), yi.begin(), yi.end());
    putGroup(d, false, u'甲', 7, bytes);
    seg::SegDictionary dict(d);
    EXPECT_EQ(dict.LookupTwoCharWord(u"甲A"), 1);
    EXPECT_EQ(dict.LookupTwoCharWord(u"甲B"), 2);
    EXPECT_EQ(dict.LookupTwoCharWord(u"甲乙"), 3);
    EXPECT_EQ(dict.LookupTwoCharWord(u"甲丙"), 0);
    EXPECT_EQ(dict.LookupTwoCharWord(u"甲"), 1);   // the empty probe, in a non-empty group
    EXPECT_EQ(dict.LookupTwoCharWord(u"乙甲"), 0); // no group
    EXPECT_EQ(dict.LookupTwoCharWord(u""), 0);
    EXPECT_EQ(dict.LookupTwoCharWord(u"A甲"), 0);
    EXPECT_EQ(dict.LookupTwoCharWord(u"，甲"), 0); // a symbol has no group
}

TEST(SegDictionary, UnreadableGroupsMatchNothing) {
    LanguageData d;
    putGroup(d, false, u'甲', 1, big5(u"乙"));
    // Start with a first byte of 0x80 or above.
    putGroup(d, false, u'丙', 1, {}, 2);
    d.SegIndexTable[5 * tableOrdinal(u'丙')] = 0x80;
    // A group running past the end of the table.
    putGroup(d, false, u'丁', layout::kSegWordSize - 1, big5(u"乙"), 4);
    // Start set, length 0.
    putGroup(d, true, u'戊', 1, {}, 0);
    seg::SegDictionary dict(d);
    EXPECT_EQ(dict.LookupTwoCharWord(u"甲乙"), 1);
    EXPECT_EQ(dict.LookupTwoCharWord(u"丙乙"), 0);
    EXPECT_EQ(dict.LookupTwoCharWord(u"丁乙"), 0);
    EXPECT_EQ(dict.LookupLongWord(u"戊"), 0);
}

TEST(SegDictionary, ThreeCharTailCountsOnlyWhereFirstFoundAtOddPosition) {
    LanguageData d;
    // Group of 甲 in the long-word table: 乙丙 丙丁 — "丙丙" nowhere, "乙丙" at 1, "丙丁" at 3,
    // "丙丙"... and "丙乙" nowhere. Then a group where 丙丁 first stands at an even position.
    putGroup(d, true, u'甲', 1, big5(u"乙丙丙丁"));
    putGroup(d, true, u'戊', 101, big5(u"乙丙丁乙丙丁"));
    seg::SegDictionary dict(d);
    EXPECT_EQ(dict.LookupLongWord(u"甲乙丙己"), 3);
    EXPECT_EQ(dict.LookupLongWord(u"甲丙丁己"), 3);
    EXPECT_EQ(dict.LookupLongWord(u"甲丙丙己"), 0); // "丙丙" at 2: even
    EXPECT_EQ(dict.LookupLongWord(u"戊丙丁己"), 0); // first at 2, again at 5: the first counts
    EXPECT_EQ(dict.LookupLongWord(u"戊丁乙己"), 3); // first at 3
}

TEST(SegDictionary, FourCharProbeMatchesAnywhereInTheGroup) {
    LanguageData d;
    putGroup(d, true, u'甲', 1, big5(u"乙丙丙丁戊"));
    seg::SegDictionary dict(d);
    EXPECT_EQ(dict.LookupLongWord(u"甲丙丁戊"), 4); // across the end of one tail
    EXPECT_EQ(dict.LookupLongWord(u"甲丙丙丁"), 4);
    EXPECT_EQ(dict.LookupLongWord(u"甲丙丁"), 4); // a shorter window searches less
    EXPECT_EQ(dict.LookupLongWord(u"甲戊"), 4);
    EXPECT_EQ(dict.LookupLongWord(u"甲"), 4); // the empty probe
    EXPECT_EQ(dict.LookupLongWord(u"甲丁乙"), 0);
    EXPECT_EQ(dict.LookupLongWord(u"乙丙丁"), 0); // no group
}

// A damaged file whose every entry points at the same long stretch: building the dictionary
// once ran out of memory (an index of some 300 million substrings). Every character must still
// get the answers a search of its group gives.
TEST(SegDictionary, GroupsThatAllShareOneLongStretchAreStillSearched) {
    LanguageData d;
    std::u16string stretch; // 8000 different hanzi, so every substring is new
    for (int n = 0; stretch.size() < 8000; ++n)
        stretch += charOfOrdinal(n);
    const auto bytes = big5(stretch);
    putGroup(d, false, u'一', 1, bytes);
    putGroup(d, true, u'一', 1, bytes);
    for (std::size_t at = 5; at < layout::kSegIndexSize; at += 5)
        std::copy_n(d.SegIndexTable.begin() +
                        (at < layout::kSegAuxBlock ? 0 : layout::kSegAuxBlock),
                    5, d.SegIndexTable.begin() + at);
    const int ordinals[] = {0, 6000, kTableChars - 1};
    seg::SegDictionary dict(d);
    const std::u16string g = stretch, none = u"A";
    for (int k : ordinals) {
        const std::u16string x(1, charOfOrdinal(k));
        EXPECT_EQ(dict.LookupTwoCharWord(x + g[5]), 6) << k;
        EXPECT_EQ(dict.LookupTwoCharWord(x + g[7999]), 8000) << k;
        EXPECT_EQ(dict.LookupTwoCharWord(x + none), 0) << k;
        EXPECT_EQ(dict.LookupTwoCharWord(x), 1) << k;
        EXPECT_EQ(dict.LookupLongWord(x + g.substr(4, 3)), 4) << k;
        EXPECT_EQ(dict.LookupLongWord(x + g.substr(4, 2) + none), 3) << k; // at 5: odd
        EXPECT_EQ(dict.LookupLongWord(x + g.substr(5, 2) + none), 0) << k; // at 6: even
        EXPECT_EQ(dict.LookupLongWord(x + g.substr(7998, 2)), 4) << k;
        EXPECT_EQ(dict.LookupLongWord(x), 4) << k;
    }
}

TEST(SegDictBuilder, TailXYThenYYIsReorderedSoBothAreFound) {
    // Laid out as given, 乙丙 丙丙 would make 丙丙 appear first at position 2.
    auto data = segData({u"甲乙丙", u"甲丙丙", u"甲丙乙丁"});
    seg::SegDictionary dict(*data);
    EXPECT_EQ(dict.LookupLongWord(u"甲乙丙己"), 3);
    EXPECT_EQ(dict.LookupLongWord(u"甲丙丙己"), 3);
    EXPECT_EQ(dict.LookupLongWord(u"甲丙乙丁"), 4);
}

TEST(SegDictBuilder, TailsThatCannotBeLaidOutAreReportedAndTheRestWork) {
    // Whatever the order, the tails 乙乙 乙丙 丙乙 丙丙 cannot all stand at odd positions
    // without one of them occurring earlier across a boundary.
    databuild::SegDictReport report;
    std::string image =
        databuild::buildSegFile({u"甲乙乙", u"甲乙丙", u"甲丙乙", u"甲丙丙"}, &report);
    EXPECT_EQ(report.words3 + report.dropped, 4u);
    EXPECT_GE(report.dropped, 1u);
    ASSERT_FALSE(report.problems.empty());
    LanguageData d;
    d.loadImages({}, image, {});
    seg::SegDictionary dict(d);
    std::size_t found = 0;
    for (auto w : {u"甲乙乙", u"甲乙丙", u"甲丙乙", u"甲丙丙"})
        found += dict.LookupLongWord(std::u16string(w) + u"己") == 3;
    EXPECT_EQ(found, report.words3);
    EXPECT_THROW(databuild::buildSegFile({u"甲乙乙", u"甲乙丙", u"甲丙乙", u"甲丙丙"}),
                 FormatError);
}

TEST(SegDictBuilder, RefusesWordsItCannotWrite) {
    for (std::u16string bad : {u"甲", u"甲乙丙丁戊", u"甲a", u"，甲", u"甲😀"})
        EXPECT_THROW(databuild::buildSegFile({bad}), FormatError)
            << std::string(bad.begin(), bad.end());
}

TEST(SegDictBuilder, WritesTheExactLayout) {
    databuild::SegDictReport report;
    const std::string image =
        databuild::buildSegFile({u"甲乙", u"甲丙", u"甲乙", u"丁戊己庚"}, &report);
    EXPECT_EQ(image.size(), layout::kSegFileSize);
    EXPECT_EQ(report.words2, 2u);
    EXPECT_EQ(report.words4, 1u);
    EXPECT_EQ(report.wordBytes, 4u);
    EXPECT_EQ(report.auxBytes, 6u);
    const auto *p = reinterpret_cast<const std::uint8_t *>(image.data()) + 5 * tableOrdinal(u'甲');
    EXPECT_EQ(layout::be24(p), 1u);
    EXPECT_EQ(layout::be16(p + 3), 4u);
}

// The driver's use of the dictionary, on whole texts.
TEST(DictionarySegmentation, LongAndShortWordDecisions) {
    struct Case {
        const char *what;
        std::vector<std::u16string> words;
        std::u16string text, expected;
    };
    const Case cases[] = {
        {"four characters before three", {u"甲乙丙丁", u"甲乙丙"}, u"甲乙丙丁戊", u"甲乙丙丁|戊"},
        {"three characters", {u"甲乙丙"}, u"甲乙丙丁", u"甲乙丙|丁"},
        {"a noun suffix is split off", {u"甲乙店"}, u"甲乙店丁", u"甲乙|店|丁"},
        {"AB yields to BCD", {u"甲乙", u"乙丙丁"}, u"甲乙丙丁戊", u"甲|乙丙丁|戊"},
        {"AB kept near the end", {u"甲乙", u"乙丙丁"}, u"甲乙丙丁", u"甲乙|丙|丁"},
        {"no group: single characters", {}, u"甲乙丙", u"甲|乙|丙"},
        {"the last character alone", {u"丙丁"}, u"甲乙丙", u"甲|乙|丙"},
        {"long word needs four characters", {u"甲乙丙"}, u"甲乙丙", u"甲|乙|丙"},
        {"tail at an even position", {u"甲戊乙", u"甲乙乙乙"}, u"甲乙乙丁", u"甲|乙|乙|丁"},
    };
    for (const auto &c : cases) {
        SegFixture f(c.words);
        EXPECT_EQ(wordsOf(f.divide(c.text)), c.expected) << c.what;
    }
}

TEST(DictionarySegmentation, ShortDictionaryFileLeavesTheMissingPartEmpty) {
    const std::vector<std::u16string> words = {u"甲乙", u"丙丁戊"};
    const std::string full = databuild::buildSegFile(words);
    struct Case {
        const char *what;
        std::size_t length;
        std::u16string expected;
    };
    const Case cases[] = {
        {"whole file", full.size(), u"甲乙|丙丁戊|己"},
        {"up to the long-word table", layout::kSegIndexSize + layout::kSegWordSize,
         u"甲乙|丙|丁|戊|己"},
        {"index only", layout::kSegIndexSize, u"甲|乙|丙|丁|戊|己"},
        {"half the index", layout::kSegIndexSize / 2, u"甲|乙|丙|丁|戊|己"},
        {"empty", 0, u"甲|乙|丙|丁|戊|己"},
    };
    for (const auto &c : cases) {
        LanguageData d;
        const auto report = d.loadImages({}, std::string_view(full).substr(0, c.length), {});
        EXPECT_FALSE(report.ok());
        seg::PhraseDivider divider(d, seg::Lexicon::builtIn());
        EXPECT_EQ(wordsOf(divider.DivideText(u"甲乙丙丁戊己")), c.expected) << c.what;
    }
}
