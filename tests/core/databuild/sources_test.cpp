// The text sources: Bopomofo syllables, radicals, and the line-numbered refusals of bad lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/errors.h"
#include "databuild/bopomofo.h"
#include "databuild/senselabels.h"
#include "databuild/sourcereader.h"

using namespace yuedu;
using namespace yuedu::databuild;
namespace fs = std::filesystem;

namespace {

class SourceFile {
public:
    explicit SourceFile(const std::string &text) {
        m_path = fs::temp_directory_path() /
                 ("yuedu-databuild-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                  "-" + std::to_string(s_count++) + ".txt");
        std::ofstream(m_path, std::ios::binary) << text;
    }
    ~SourceFile() { fs::remove(m_path); }
    const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
    static inline int s_count = 0;
};

struct Reading {
    int initial, medial, final, tone;
    bool operator==(const Reading &) const = default;
};

Reading readingOf(const CharRecord &r) {
    return {r.initial, r.medial, r.final, r.tone};
}

} // namespace

TEST(Bopomofo, SyllablesGiveTheEntriesOfTheSymbolLists) {
    struct Case {
        std::u16string syllable;
        Reading reading;
    };
    const Case cases[] = {
        {u"ㄓㄨㄥ", {15, 2, 12, 0}}, {u"ㄓㄨㄥˉ", {15, 2, 12, 0}}, {u"ㄏㄠˇ", {11, 0, 7, 3}},
        {u"ㄇㄚ˙", {3, 0, 1, 1}},    {u"˙ㄇㄚ", {3, 0, 1, 1}},     {u"ㄦˊ", {0, 0, 13, 2}},
        {u"ㄙ", {21, 0, 0, 0}},      {u"ㄩㄝˋ", {0, 3, 4, 4}},     {u"ㄅ", {1, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        CharRecord r;
        ASSERT_TRUE(parseBopomofo(c.syllable, r)) << "syllable " << c.reading.initial;
        EXPECT_EQ(readingOf(r), c.reading);
        // Writing the reading back gives a syllable that reads the same.
        CharRecord again;
        ASSERT_TRUE(parseBopomofo(formatBopomofo(r), again));
        EXPECT_EQ(readingOf(again), c.reading);
    }
}

TEST(Bopomofo, IllFormedSyllablesAreRefusedAndLeaveTheRecordAlone) {
    for (std::u16string bad : {u"", u"ˊ", u"ㄨㄓ", u"ㄓㄓ", u"ㄚㄧ", u"˙ㄇㄚˇ", u"ㄇˇㄚ", u"ma"}) {
        CharRecord r{1, 1, 1, 1, 5, 5};
        EXPECT_FALSE(parseBopomofo(bad, r));
        EXPECT_EQ(readingOf(r), (Reading{1, 1, 1, 1}));
    }
}

TEST(Bopomofo, PhoneCodesSplitIntoTheFourFields) {
    CharRecord r;
    setPhoneCode(15 << 9 | 2 << 7 | 12 << 3 | 4, r);
    EXPECT_EQ(readingOf(r), (Reading{15, 2, 12, 4}));
}

TEST(Bopomofo, KangxiRadicalsMapOntoTheListWithTheTwoSuiRadicalsShared) {
    const std::pair<int, int> cases[] = {{1, 1},     {33, 33},   {34, 34}, {35, 34}, {36, 35},
                                         {140, 139}, {214, 213}, {0, 0},   {215, 0}};
    for (auto [kangxi, entry] : cases)
        EXPECT_EQ(radicalEntryOfKangxi(kangxi), entry) << kangxi;
    EXPECT_EQ(kangxiOfRadicalEntry(35), 36);
    EXPECT_EQ(kangxiOfRadicalEntry(213), 214);
}

TEST(SenseLabels, EveryClassNumberHasOneLabel) {
    for (int c = 1; c <= 95; ++c) {
        std::u16string_view label = senseLabelOfClass(c);
        ASSERT_FALSE(label.empty()) << c;
        EXPECT_EQ(senseClassOfLabel(label), c);
    }
    EXPECT_EQ(senseClassOfLabel(u"人稱"), 1);
    EXPECT_EQ(senseClassOfLabel(u"狀聲"), 94);
    EXPECT_EQ(senseClassOfLabel(u"敬語"), 95);
    EXPECT_EQ(senseClassOfLabel(u"人"), 0);
}

TEST(SourceReader, ReadsRecordsSkippingCommentsBlankLinesAndCarriageReturns) {
    SourceFile senses("# comment\r\n\r\n我\t人稱\r\n媽媽\t8\n  \n小鳥 \t 動物\n");
    std::vector<SenseWord> words;
    readSenseList(senses.path(), words);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].word, u"我");
    EXPECT_EQ(words[0].senseClass, 1);
    EXPECT_EQ(words[1].senseClass, 8);
    EXPECT_EQ(words[2].word, u"小鳥");
    EXPECT_EQ(words[2].senseClass, 23);

    SourceFile chars("中\tㄓㄨㄥ\t2\t4\n的\t-\t106\t8\n");
    std::vector<CharEntry> records;
    readCharList(chars.path(), records);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(readingOf(records[0].record), (Reading{15, 2, 12, 0}));
    EXPECT_EQ(records[1].record.radical, 105);
    EXPECT_EQ(readingOf(records[1].record), (Reading{0, 0, 0, 0}));

    SourceFile grades("一\t15\n我們\t23\n");
    GradeSources g;
    readGradeList(grades.path(), g);
    EXPECT_EQ(g.lists[0].size(), 1u);
    ASSERT_EQ(g.lists[1].size(), 1u);
    EXPECT_EQ(g.lists[1][0].code, 23);

    SourceFile details("的\tp468c=683\tzangener=1\tchiuks=12\n");
    std::vector<DetailEntry> d;
    readDetailList(details.path(), d);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].record.p468c, 683);
    EXPECT_EQ(d[0].record.zangener, 1);
    EXPECT_EQ(d[0].record.usage[1].rank, 12);
}

TEST(SourceReader, BadLinesAreRefusedWithTheFileAndLineNumber) {
    struct Case {
        const char *what;
        const char *text;
        void (*read)(const fs::path &);
        int line;
        const char *reason;
    };
    const Case cases[] = {
        {"unknown class", "我\t人稱\n你\t朋友們\n",
         [](const fs::path &p) {
             std::vector<SenseWord> w;
             readSenseList(p, w);
         },
         2, "not a sense class label"},
        {"class number too high", "我\t96\n",
         [](const fs::path &p) {
             std::vector<SenseWord> w;
             readSenseList(p, w);
         },
         1, "outside 1..95"},
        {"grade code not a number", "# c\n一\t15\n二\tone\n",
         [](const fs::path &p) {
             GradeSources g;
             readGradeList(p, g);
         },
         3, "not a number"},
        {"five-character graded word", "中華民國人\t20\n",
         [](const fs::path &p) {
             GradeSources g;
             readGradeList(p, g);
         },
         1, "one to four"},
        {"bad syllable", "中\tㄓㄨㄥ\t2\t4\n的\tde\t106\t8\n",
         [](const fs::path &p) {
             std::vector<CharEntry> c;
             readCharList(p, c);
         },
         2, "Bopomofo"},
        {"missing stroke count", "中\tㄓㄨㄥ\t2\n",
         [](const fs::path &p) {
             std::vector<CharEntry> c;
             readCharList(p, c);
         },
         1, "expected"},
        {"unknown figure", "的\tp468c=1\tspeed=3\n",
         [](const fs::path &p) {
             std::vector<DetailEntry> d;
             readDetailList(p, d);
         },
         1, "speed=3"},
        {"dictionary word outside Big5", "我們\n我们\n",
         [](const fs::path &p) {
             std::vector<std::u16string> w;
             readWordList(p, w);
         },
         2, "Big5"},
        {"one-character dictionary word", "我\n",
         [](const fs::path &p) {
             std::vector<std::u16string> w;
             readWordList(p, w);
         },
         1, "two to four"},
    };
    for (const Case &c : cases) {
        SourceFile file(c.text);
        try {
            c.read(file.path());
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const FormatError &e) {
            EXPECT_EQ(e.path(), file.path().string()) << c.what;
            EXPECT_EQ(e.where(), c.line) << c.what;
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos)
                << c.what << ": " << e.what();
        }
    }
}

TEST(SourceReader, TextThatIsNotUtf8IsRefused) {
    SourceFile big5(std::string("\xA7\xDA\t\xA4\x48\xBA\xD9\n"));
    std::vector<SenseWord> words;
    EXPECT_THROW(readSenseList(big5.path(), words), FormatError);
}

TEST(SourceReader, AMissingFileIsAnIoError) {
    std::vector<std::u16string> words;
    EXPECT_THROW(readWordList("/nonexistent/yuedu/words.txt", words), IoError);
}
