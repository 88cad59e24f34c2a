#include <gtest/gtest.h>

#include <set>

#include "databuild/sensefile.h"
#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"
#include "wordstats/senses.h"
#include "wordstats/taxonomy.h"

using namespace yuedu;
using namespace yuedu::wordstats;

namespace {

struct Record {
    std::u16string tail; // characters 2..L of the word
    int classByte;
};

// Writes a block of records for words of tail.size() + 1 characters beginning with `first`,
// at the 1-based position pos of the word table, exactly as given (repeats and all).
void putBlock(LanguageData &d, char16_t first, std::size_t pos, const std::vector<Record> &recs) {
    static constexpr std::size_t kBlocks[] = {layout::kSenseBlock2, layout::kSenseBlock3,
                                              layout::kSenseBlock4};
    const std::size_t len = recs.front().tail.size() + 1;
    const std::size_t entry = kBlocks[len - 2] + 5 * tableOrdinal(first);
    const std::size_t count = recs.size() * 2 * len;
    d.SenseIndexTable[entry] = static_cast<std::uint8_t>(pos >> 16);
    d.SenseIndexTable[entry + 1] = static_cast<std::uint8_t>(pos >> 8);
    d.SenseIndexTable[entry + 2] = static_cast<std::uint8_t>(pos);
    d.SenseIndexTable[entry + 3] = static_cast<std::uint8_t>(count >> 8);
    d.SenseIndexTable[entry + 4] = static_cast<std::uint8_t>(count);
    std::size_t at = pos - 1;
    for (const auto &r : recs) {
        for (char16_t c : r.tail) {
            std::uint16_t code = CodePage950::instance().code(c);
            d.SenseWordTable[at++] = static_cast<std::uint8_t>(code >> 8);
            d.SenseWordTable[at++] = static_cast<std::uint8_t>(code);
        }
        d.SenseWordTable[at++] = static_cast<std::uint8_t>(r.classByte);
        d.SenseWordTable[at++] = 0;
    }
}

void putSingle(LanguageData &d, char16_t c, int classByte) {
    d.SenseIndexTable[2 * static_cast<std::size_t>(tableOrdinal(c))] =
        static_cast<std::uint8_t>(classByte);
}

LanguageData writtenData() {
    databuild::SenseSources sources;
    sources.words = {{u"天", 1}, {u"天地", 43}, {u"地", 45}, {u"人們", 2}, {u"小朋友", 8}};
    LanguageData d;
    d.loadImages("", "", databuild::buildSenseFile(sources));
    return d;
}

} // namespace

TEST(ClassifyWord, TheFirstMatchingRecordDecides) {
    LanguageData d;
    putSingle(d, u'甲', 13);
    putSingle(d, u'乙', 107);
    putSingle(d, u'丙', 12);
    putSingle(d, u'丁', 108);
    putBlock(d, u'天', 1, {{u"空", 30}, {u"地", 20}, {u"地", 40}});
    putBlock(d, u'人', 101, {{u"們", 12}, {u"們", 40}});
    putBlock(d, u'大', 201, {{u"小朋", 50}, {u"朋友", 60}});
    putBlock(d, u'一', 301, {{u"心一意", 107}});
    // A block whose count runs past the end of the word table.
    putBlock(d, u'山', layout::kSenseWordSize - 3, {{u"水", 30}});
    d.SenseIndexTable[layout::kSenseBlock2 + 5 * tableOrdinal(u'山') + 4] = 40;

    const std::pair<std::u16string, int> cases[] = {
        {u"甲", 1},        {u"乙", 95},   {u"丙", 0},   {u"丁", 0},      {u"天地", 8},
        {u"天空", 18},     {u"天上", 0},  {u"人們", 0}, {u"大朋友", 48}, {u"大小朋", 38},
        {u"一心一意", 95}, {u"山水", 18}, {u"山石", 0}, {u"地", 0},      {u"一心一意好", 0},
        {u"\r\n甲", 0},    {u" 甲", 0},   {u"", 0},     {u"。", 0},
    };
    for (const auto &[word, cls] : cases)
        EXPECT_EQ(senseClassOf(d, word), cls)
            << "word of " << word.size() << " units, expected class " << cls;
}

TEST(SenseClasses, AWordIsClassifiedWhereverTheLinesBreak) {
    const LanguageData d = writtenData();
    // 人們 and 小朋友 only ever stand first on a line (the second after a stray blank): they
    // are classified all the same, as the frequency counts them.
    const std::u16string text = u"天地  天  地  天  \r\n人們  天地  \r\n 小朋友  \r\n地  \r\n";
    const SenseResult p = SenseClasses(d, text);
    EXPECT_EQ(p.WordTotal, 8);
    EXPECT_EQ(p.SenseClassLists[0], u"天\r\n");
    EXPECT_EQ(p.SenseClassLists[42], u"天地\r\n");
    EXPECT_EQ(p.SenseClassLists[44], u"地\r\n");
    EXPECT_EQ(p.SenseClassLists[1], u"人們\r\n");
    EXPECT_EQ(p.SenseClassLists[7], u"小朋友\r\n");
    EXPECT_EQ(p.words.size(), 5u);
    EXPECT_EQ(p.classifiedCount(), 5);
}

TEST(SenseTaxonomy, HasTwelveCategoriesShowingEachClassOnce) {
    const auto &taxonomy = senseTaxonomy();
    const std::size_t sizes[] = {9, 10, 3, 5, 9, 16, 5, 9, 9, 4, 5, 11};
    std::set<int> seen;
    for (std::size_t c = 0; c < taxonomy.size(); ++c) {
        EXPECT_EQ(taxonomy[c].classes.size(), sizes[c]) << c;
        for (const auto &cls : taxonomy[c].classes) {
            EXPECT_TRUE(cls.senseClass >= 1 && cls.senseClass <= 95);
            seen.insert(cls.senseClass);
        }
    }
    EXPECT_EQ(seen.size(), 95u);
    EXPECT_EQ(std::u16string(taxonomy[1].classes[0].label), u"人稱");
    EXPECT_EQ(std::u16string(taxonomy[11].label), u"功能詞");
}

TEST(SenseTree, ShowsOnlyClassesWithWordsNumberedInOrderOfAdding) {
    std::array<std::u16string, kSenseClassCount> lists;
    lists[42] = u"社會\r\n";    // class 43
    lists[44] = u"學校\r\n";    // class 45
    lists[0] = u"我\r\n你\r\n"; // class 1
    lists[14] = u"東西\r\n";    // class 15, first position of 總類
    auto nodes = senseTreeNodes(lists);
    ASSERT_EQ(nodes.size(), 16u);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(nodes[k].parent, 0);
    // Node 13 is the first class node, in 總類.
    EXPECT_EQ(nodes[12].text, u"物統稱");
    EXPECT_EQ(nodes[12].parent, 1);
    EXPECT_EQ(nodes[13].text, u"人稱");
    EXPECT_EQ(nodes[13].parent, 2);
    EXPECT_EQ(nodes[1].words, u"我\r\n你\r\n");
    EXPECT_EQ(nodes[14].text, u"社會");
    EXPECT_EQ(nodes[15].text, u"文教");
    EXPECT_EQ(nodes[3].words, u"社會\r\n學校\r\n");
    EXPECT_EQ(report::nodeClickText(nodes[3]), u"【 組構 】\r\n社會\r\n學校\r\n");
}

TEST(SenseTree, WithoutWordsHasTheTwelveCategoriesAlone) {
    auto nodes = senseTreeNodes({});
    ASSERT_EQ(nodes.size(), 12u);
    EXPECT_EQ(nodes.back().text, u"功能詞");
    EXPECT_EQ(report::nodeClickText(nodes[0]), u"【 總類 】\r\n");
}
