// Checks on the data files built from the installed open sources: the tables are filled as the
// builder's report says, and everyday text segments into sensible words.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "langdata/big5.h"
#include "langdata/datalayout.h"
#include "langdata/languagedata.h"
#include "langdata/textcodec.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"

using namespace yuedu;

namespace {

const std::filesystem::path kDir = YUEDU_TEST_DATA_DIR;

// "label: used[ of capacity]" lines of the report.
std::map<std::string, std::size_t> readReport() {
    std::map<std::string, std::size_t> figures;
    std::ifstream in(kDir / "databuild-report.txt");
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t colon = line.find(": ");
        if (colon == std::string::npos || line.rfind("note", 0) == 0 ||
            line.rfind("problem", 0) == 0)
            continue;
        figures[line.substr(0, colon)] = std::stoul(line.substr(colon + 2));
    }
    return figures;
}

class RealData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_data = new LanguageData;
        s_load = new LoadReport(loaddata(kDir, *s_data));
    }
    static void TearDownTestSuite() {
        delete s_data;
        delete s_load;
    }
    static std::size_t sumLengths(const Bytes &index, std::size_t from, std::size_t step) {
        std::size_t total = 0;
        for (int n = 0; n < kTableChars; ++n)
            total += layout::be16(&index[from + 5 * n + 3]) / step;
        return total;
    }
    static inline LanguageData *s_data = nullptr;
    static inline LoadReport *s_load = nullptr;
};

} // namespace

TEST_F(RealData, TablesAreFilledAsTheReportSays) {
    ASSERT_TRUE(s_load->ok()) << s_load->text();
    auto report = readReport();
    const LanguageData &d = *s_data;

    for (int list = 1; list <= 4; ++list)
        EXPECT_EQ(report["grade list " + std::to_string(list) + " entries"],
                  d.GradeWordLists[list - 1].size() / (list + 1))
            << list;
    EXPECT_EQ(report["grade list 5 characters"], d.GradeWordLists[4].size());

    EXPECT_EQ(report["two-character word table bytes"], sumLengths(d.SegIndexTable, 0, 1));
    EXPECT_EQ(report["dictionary words of 2 characters"], sumLengths(d.SegIndexTable, 0, 2));
    EXPECT_EQ(report["long-word table bytes"],
              sumLengths(d.SegIndexTable, layout::kSegAuxBlock, 1));

    std::size_t oneChar = 0, records = 0, details = 0, maxRecord = 0, badRecords = 0;
    for (int n = 0; n < kTableChars; ++n) {
        oneChar += d.SenseIndexTable[2 * n] >= 13;
        const std::uint8_t *r = &d.CharRecordTable[4 * n];
        records += (r[0] | r[1] | r[2] | r[3]) != 0;
        badRecords += r[2] < 1 || r[2] > 213 || r[3] < 1 || r[3] > 35;
        const std::size_t number = layout::be16(&d.CharDetailTable[2 * n]);
        details += number != 0;
        maxRecord = std::max(maxRecord, number);
    }
    EXPECT_EQ(report["sense words of 1 character"], oneChar);
    std::size_t senseBytes = 0;
    for (int len = 2; len <= 4; ++len) {
        const std::size_t base = len == 2   ? layout::kSenseBlock2
                                 : len == 3 ? layout::kSenseBlock3
                                            : layout::kSenseBlock4;
        EXPECT_EQ(report["sense words of " + std::to_string(len) + " characters"],
                  sumLengths(d.SenseIndexTable, base, 2 * len));
        senseBytes += sumLengths(d.SenseIndexTable, base, 1);
    }
    EXPECT_EQ(report["sense word table bytes"], senseBytes);
    EXPECT_EQ(report["characters with a record"], records);
    EXPECT_EQ(report["detail records"], details);
    EXPECT_EQ(maxRecord, details);

    // What the open sources are expected to give.
    EXPECT_EQ(records, static_cast<std::size_t>(kTableChars));
    EXPECT_EQ(badRecords, 0u);
    EXPECT_EQ(details, layout::kDetailRecords);
    EXPECT_EQ(d.GradeWordLists[4].size(), 3000u);
    EXPECT_GT(report["dictionary words of 2 characters"], 100000u);
    EXPECT_GT(report["dictionary words of 3 characters"], 20000u);
    EXPECT_GT(report["dictionary words of 4 characters"], 20000u);
    EXPECT_GT(oneChar, 500u);
}

TEST_F(RealData, CommonCharactersHaveTheirEverydayReadingRadicalAndStrokes) {
    struct Case {
        char16_t ch;
        int initial, medial, final, tone, radical, strokes;
    };
    // 草 counts its grass radical with four strokes, as Taiwan does.
    const Case cases[] = {{u'中', 15, 2, 12, 0, 2, 4},   {u'的', 5, 0, 3, 1, 105, 8},
                          {u'草', 20, 0, 7, 3, 139, 10}, {u'媽', 3, 0, 1, 0, 37, 13},
                          {u'好', 11, 0, 7, 3, 37, 6},   {u'夏', 11, 2, 0, 0, 0, 10}};
    for (const Case &c : cases) {
        const std::uint8_t *r = &s_data->CharRecordTable[4 * tableOrdinal(c.ch)];
        if (c.radical == 0) // 夏: radical 夊, which shares its entry with 夂
            EXPECT_EQ(r[2], 34);
        else
            EXPECT_EQ(r[2], c.radical) << toUtf8(std::u16string(1, c.ch));
        EXPECT_EQ(r[3], c.strokes) << toUtf8(std::u16string(1, c.ch));
        if (c.ch != u'夏') {
            EXPECT_EQ(r[0] >> 3, c.initial) << toUtf8(std::u16string(1, c.ch));
            EXPECT_EQ(r[0] & 7, c.medial) << toUtf8(std::u16string(1, c.ch));
            EXPECT_EQ(r[1] >> 4, c.final) << toUtf8(std::u16string(1, c.ch));
            EXPECT_EQ(r[1] & 15, c.tone) << toUtf8(std::u16string(1, c.ch));
        }
    }
}

TEST_F(RealData, AChildrensStorySegmentsIntoSensibleWords) {
    const std::u16string story =
        u"森林裡住著一隻小兔子，牠每天早上都到河邊喝水。有一天，牠看見一隻小烏龜慢慢地爬過來，"
        u"就好奇地問：「你要去哪裡？」小烏龜笑著回答：「我要去山上看日出，聽說那裡的風景非常美麗。"
        u"」"
        u"小兔子高興地說：「我們一起去吧！」";
    const seg::Lexicon lexicon = seg::LoadLexicon(kDir);
    const seg::PhraseDivider divider(*s_data, lexicon);
    const std::u16string result = divider.DivideText(story);

    std::set<std::u16string> words;
    std::size_t start = 0;
    while ((start = result.find_first_not_of(u" \r\n", start)) != std::u16string::npos) {
        const std::size_t end = result.find(u"  ", start);
        words.insert(result.substr(start, end - start));
        start = end;
    }
    for (const std::u16string w :
         {u"森林", u"小兔子", u"每天", u"早上", u"河邊", u"喝水", u"看見", u"小烏龜", u"回答",
          u"哪裡", u"山上", u"日出", u"聽說", u"風景", u"非常", u"美麗", u"高興", u"我們"})
        EXPECT_TRUE(words.count(w)) << toUtf8(w) << " in " << toUtf8(result);
}
