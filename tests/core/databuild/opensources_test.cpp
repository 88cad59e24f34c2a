// Readers of the installed open sources, on small files written in the test, and the figures
// derived from them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/errors.h"
#include "databuild/dataset.h"
#include "databuild/opensources.h"
#include "databuild/segcheck.h"
#include "databuild/segdict.h"
#include "langdata/big5.h"

using namespace yuedu;
using namespace yuedu::databuild;
namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir() {
        m_path = fs::temp_directory_path() /
                 ("yuedu-opensources-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    fs::path write(const char *name, const std::string &bytes) const {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
        return m_path / name;
    }
    const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
};

// A chewing phrase tree: 8-byte nodes, little-endian key, then two 3-byte fields.
struct TreeWriter {
    std::string bytes;
    void node(unsigned key, unsigned a, unsigned b) {
        for (unsigned v : {key & 0xFF, key >> 8, a & 0xFF, (a >> 8) & 0xFF, a >> 16, b & 0xFF,
                           (b >> 8) & 0xFF, b >> 16})
            bytes.push_back(static_cast<char>(v));
    }
};

constexpr unsigned kMa1 = 3 << 9 | 1 << 3 | 0;   // ㄇㄚ first tone
constexpr unsigned kMa0 = 3 << 9 | 1 << 3 | 1;   // ㄇㄚ neutral tone
constexpr unsigned kHao3 = 11 << 9 | 7 << 3 | 3; // ㄏㄠˇ

// Phrases: 媽 (ㄇㄚ) and 媽 (ㄇㄚ˙) alone, 媽媽 under both readings of the second 媽 (50),
// 好 alone, 好媽 (7). Dictionary text: "媽\0媽媽\0好\0好媽\0".
void writeChewing(const TempDir &dir) {
    const std::string dict = std::string("媽") + '\0' + "媽媽" + '\0' + "好" + '\0' + "好媽" + '\0';
    const unsigned maAt = 0, mamaAt = 4, haoAt = 11, haomaAt = 15;
    TreeWriter t;
    t.node(0xBD95, 1, 4);  // 0 root: children 1..3
    t.node(kMa1, 4, 6);    // 1 ㄇㄚ
    t.node(kMa0, 6, 7);    // 2 ㄇㄚ˙
    t.node(kHao3, 7, 9);   // 3 ㄏㄠˇ
    t.node(0, maAt, 0);    // 4 leaf 媽
    t.node(kMa0, 9, 10);   // 5 ㄇㄚ ㄇㄚ˙
    t.node(0, maAt, 0);    // 6 leaf 媽 (neutral)
    t.node(0, haoAt, 0);   // 7 leaf 好
    t.node(kMa1, 10, 11);  // 8 ㄏㄠˇ ㄇㄚ
    t.node(0, mamaAt, 50); // 9 leaf 媽媽
    t.node(0, haomaAt, 7); // 10 leaf 好媽
    // Node 1 has children 4 and 5.
    dir.write("dictionary.dat", dict);
    dir.write("index_tree.dat", t.bytes);
}

} // namespace

TEST(OpenSources, ChewingTreeGivesPhrasesAndReadingsWeightedByTheirPhrases) {
    TempDir dir;
    writeChewing(dir);
    const ChewingData c = readChewing(dir.path());
    ASSERT_EQ(c.phrases.size(), 2u);
    EXPECT_EQ(c.phrases[0].word, u"媽媽");
    EXPECT_EQ(c.phrases[0].weight, 50u);
    EXPECT_EQ(c.phrases[1].word, u"好媽");

    // 媽: ㄇㄚ is read in 媽媽 (first 媽) and 好媽, ㄇㄚ˙ in 媽媽 (second 媽).
    const auto &ma = c.readings.at(u'媽');
    ASSERT_EQ(ma.size(), 2u);
    EXPECT_EQ(ma[0].phone, kMa1);
    EXPECT_EQ(ma[0].weight, 57u);
    EXPECT_EQ(ma[1].phone, kMa0);
    EXPECT_EQ(ma[1].weight, 50u);
    EXPECT_EQ(c.readings.at(u'好')[0].phone, kHao3);
}

TEST(OpenSources, AChewingTreeOfAnotherLayoutIsRefused) {
    TempDir dir;
    writeChewing(dir);
    std::string tree;
    {
        std::ifstream in(dir.path() / "index_tree.dat", std::ios::binary);
        tree.assign(std::istreambuf_iterator<char>(in), {});
    }
    // Not a whole number of nodes.
    dir.write("index_tree.dat", tree + "xyz");
    EXPECT_THROW(readChewing(dir.path()), FormatError);
    // A child range beyond the end of the tree.
    std::string broken = tree;
    broken[5] = 0x7F;
    dir.write("index_tree.dat", broken);
    EXPECT_THROW(readChewing(dir.path()), FormatError);
    // A phrase offset beyond dictionary.dat.
    broken = tree;
    broken[9 * 8 + 2] = 0x70;
    dir.write("index_tree.dat", broken);
    EXPECT_THROW(readChewing(dir.path()), FormatError);
}

TEST(OpenSources, StrokeTableTakesTheFirstCodeOfEachCharacterAfterTheHeader) {
    TempDir dir;
    const fs::path p = dir.write("stroke.dict.yaml", "---\nname: stroke\n...\n\n草\tshhsszhhhs\n"
                                                     "草\tshhszhhhs\n中\tszhs\t100\n# 一\th\n");
    const auto strokes = readStrokeTable(p);
    EXPECT_EQ(strokes.at(u'草'), 10);
    EXPECT_EQ(strokes.at(u'中'), 4);
    EXPECT_FALSE(strokes.count(u'一'));
}

TEST(OpenSources, UnihanGivesRadicalTaiwanStrokeCountAndGrade) {
    TempDir dir;
    const fs::path irg =
        dir.write("irg.txt", "# header\nU+8349\tkRSUnicode\t140.6\n"
                             "U+8349\tkTotalStrokes\t9 10\n"
                             "U+4E2D\tkTotalStrokes\t4\nU+20000\tkRSUnicode\t1.1\n");
    const fs::path dict = dir.write("dict.txt", "U+4E2D\tkGradeLevel\t1\nU+8349\tkFrequency\t3\n");
    const UnihanData u = readUnihan(irg, dict);
    EXPECT_EQ(u.kangxiRadical.at(u'草'), 140);
    EXPECT_EQ(u.totalStrokes.at(u'草'), 10);
    EXPECT_EQ(u.totalStrokes.at(u'中'), 4);
    EXPECT_EQ(u.gradeLevel.at(u'中'), 1);
    EXPECT_EQ(u.kangxiRadical.size(), 1u);
}

TEST(DerivedFigures, GeneralUseLevelsAreBandsOfTheFrequencyRank) {
    const std::pair<std::size_t, int> cases[] = {
        {0, 0},    {1, 1},    {100, 1},  {101, 2},  {300, 2},  {301, 3},  {1000, 4},
        {1500, 5}, {2200, 6}, {3000, 7}, {3001, 8}, {4500, 8}, {6374, 9}, {6375, 0}};
    for (auto [rank, level] : cases)
        EXPECT_EQ(generalUseLevel(rank), level) << rank;
}

TEST(DerivedFigures, WordFormationCountsWordsOnceAndTiedCountsShareTheirDegree) {
    DataSet data;
    data.grades.rankList = u"一人大";
    DetailRecord given;
    given.edupto = 77;
    data.senses.details = {{u'天', given}};
    deriveDetails({u"一一", u"一人", u"大人", u"天一", u"天天"}, data);

    std::map<char16_t, DetailRecord> byChar;
    for (const auto &e : data.senses.details)
        byChar[e.ch] = e.record;
    // Counts: 一 3 (一一 counts once), 人 2, 天 2, 大 1.
    EXPECT_EQ(byChar.at(u'一').p468c, 3);
    EXPECT_EQ(byChar.at(u'一').p468s, 1);
    EXPECT_EQ(byChar.at(u'人').p468s, 2);
    EXPECT_EQ(byChar.at(u'天').p468s, 2);
    EXPECT_EQ(byChar.at(u'大').p468s, 4);
    // Levels come from the rank list; 天 is not on it.
    EXPECT_EQ(byChar.at(u'大').zangener, 1);
    EXPECT_EQ(byChar.at(u'天').zangener, 0);
    // Figures given in the sources are kept, and their record comes first.
    EXPECT_EQ(data.senses.details.front().ch, u'天');
    EXPECT_EQ(byChar.at(u'天').edupto, 77);
    EXPECT_EQ(byChar.at(u'天').p468c, 2);
    EXPECT_EQ(data.senses.details.size(), 4u);
}

TEST(DerivedFigures, DictionaryWordsAreTwoToFourBig5Hanzi) {
    EXPECT_TRUE(isDictionaryWord(u"我們"));
    EXPECT_TRUE(isDictionaryWord(u"亂七八糟"));
    EXPECT_FALSE(isDictionaryWord(u"我"));
    EXPECT_FALSE(isDictionaryWord(u"中華民國人"));
    EXPECT_FALSE(isDictionaryWord(u"我们"));
    EXPECT_FALSE(isDictionaryWord(u"T恤"));
    EXPECT_FALSE(isDictionaryWord(u"\uF6CF一"));
}

TEST(SegDictionaryReader, FindsTheWrittenWordsTheWayTheSegmenterLooksThemUp) {
    const std::vector<std::u16string> words = {u"一切", u"一定", u"一會兒", u"一清二楚"};
    const SegDictionaryReader reader(buildSegFile(words));
    for (const auto &w : words)
        EXPECT_TRUE(reader.holds(w));
    EXPECT_FALSE(reader.holds(u"一二"));
    EXPECT_FALSE(reader.holds(u"切一"));
    EXPECT_FALSE(reader.holds(u"一"));
    // The group reads 會兒清二楚: 兒清 stands at an even position, so 一兒清 is no word, while
    // 清二 at an odd one reads as a three-character word, just as the segmenter would find it.
    EXPECT_FALSE(reader.holds(u"一兒清"));
    EXPECT_TRUE(reader.holds(u"一清二"));
}
