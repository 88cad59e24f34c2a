// Comparison of a small corpus: the rows do not depend on the number of threads, a file that
// cannot be read is reported and left out, and the frequency tables of shards sum to the whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/errors.h"
#include "compare/comparison.h"
#include "compare/corpus.h"
#include "langdata/textcodec.h"
#include "segment/lexicon.h"

using namespace yuedu;
namespace fs = std::filesystem;

namespace {

const fs::path kData = YUEDU_TEST_DATA_DIR;

std::string readFile(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const fs::path &p, const std::string &bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

// A corpus of texts of different lengths, kinds and encodings, in nested folders, with a
// file that is not text and one that is not a text kind at all.
class Corpus : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("yuedu-compare-" + std::to_string(::getpid()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        const std::string story = readFile(fs::path(YUEDU_SAMPLES_DIR) / "story.txt");
        const std::u16string u = fromUtf8(story);
        for (int i = 0; i < 14; ++i) {
            // Texts of 1..14 copies of a slice, so every row differs.
            std::u16string text;
            for (int k = 0; k <= i; ++k)
                text += u.substr(static_cast<std::size_t>(k * 7) % u.size() / 2) + u"\n";
            const fs::path p = dir / (i % 2 ? "b" : "a") / ("t" + std::to_string(10 + i) + ".txt");
            writeFile(p, toUtf8(text));
        }
        // UTF-16LE with its byte-order mark, and RTF whatever its extension says.
        std::string utf16 = "\xFF\xFE";
        for (char16_t c : u.substr(0, 20)) {
            utf16 += static_cast<char>(c & 0xFF);
            utf16 += static_cast<char>(c >> 8);
        }
        writeFile(dir / "c" / "wide.txt", utf16);
        writeFile(dir / "c" / "saved.rxt",
                  "{\\rtf1\\ansi\\ansicpg950 \\uc1\\u23567?\\u26126?\\u-30398?\\u26360?\\par}");
        writeFile(dir / "c" / "broken.txt", std::string("\x00\x01\x02\x00\xFF\x00 binary", 13));
        writeFile(dir / "c" / "picture.png", "\x89PNG");
        fs::create_directories(dir / "empty");
    }
    void TearDown() override { fs::remove_all(dir); }

    static void SetUpTestSuite() {
        data = std::make_unique<LanguageData>();
        loaddata(kData, *data);
        lexicon = std::make_unique<seg::Lexicon>(seg::LoadLexicon(kData));
    }

    std::vector<compare::TextSource> sources() const {
        const auto collected =
            compare::collectTexts({(dir / "c").string(), (dir / "a").string(), (dir / "b").string(),
                                   (dir / "empty").string()});
        std::vector<compare::TextSource> out;
        for (const auto &f : collected.files)
            out.push_back({f, std::nullopt});
        return out;
    }

    fs::path dir;
    static inline std::unique_ptr<LanguageData> data;
    static inline std::unique_ptr<seg::Lexicon> lexicon;
};

std::vector<std::vector<std::string>> cells(const compare::CompareResult &r) {
    std::vector<std::vector<std::string>> out;
    for (const auto &row : r.rows)
        out.push_back(compare::rowCells(row));
    return out;
}

TEST_F(Corpus, RowsAreTheSameInInputOrderWhateverTheNumberOfThreads) {
    const auto texts = sources();
    // Argument order first, then path order inside each folder; the PNG is not taken.
    ASSERT_EQ(texts.size(), 17u);
    EXPECT_EQ(fs::path(texts[0].name).filename(), "broken.txt");
    EXPECT_EQ(fs::path(texts[3].name).filename(), "t10.txt");
    EXPECT_EQ(fs::path(texts[4].name).filename(), "t12.txt");

    compare::CompareOptions one, four;
    one.jobs = 1;
    four.jobs = 4;
    std::size_t calls = 0;
    const auto a = compare::compareTexts(*data, *lexicon, texts, one);
    const auto b = compare::compareTexts(*data, *lexicon, texts, four,
                                         [&](std::size_t done, std::size_t total, std::int64_t) {
                                             ++calls;
                                             EXPECT_LE(done, total);
                                         });
    EXPECT_EQ(calls, texts.size());
    EXPECT_EQ(cells(a), cells(b));
    ASSERT_EQ(a.failures.size(), 1u);
    ASSERT_EQ(a.rows.size(), 16u);
    for (std::size_t i = 0; i < a.rows.size(); ++i)
        EXPECT_EQ(a.rows[i].name, texts[i + 1].name);
    // The texts really were analysed: more copies, more words; the RTF gives its hanzi.
    EXPECT_GT(a.rows.back().tokens, a.rows[3].tokens);
    EXPECT_EQ(a.rows[0].characters, 4); // saved.rxt
    EXPECT_GT(a.rows[0].tokens, 0);
    EXPECT_GT(a.rows[1].characters, 10); // wide.txt
    double shares = 0;
    for (int g = 0; g < compare::kGradeGroups; ++g)
        shares += a.rows.back().gradeShare(g);
    EXPECT_NEAR(shares, 1.0, 1e-9);

    ASSERT_EQ(b.failures.size(), 1u);
    EXPECT_EQ(b.failures[0].name, texts[0].name);
    EXPECT_NE(b.failures[0].message.find(texts[0].name), std::string::npos);
    EXPECT_NE(b.failures[0].message.find("not look like a text"), std::string::npos);
}

TEST_F(Corpus, MissingPathsAndEmptyFoldersAreReported) {
    const auto collected =
        compare::collectTexts({(dir / "nothing").string(), (dir / "empty").string()});
    EXPECT_TRUE(collected.files.empty());
    ASSERT_EQ(collected.problems.size(), 2u);
    EXPECT_FALSE(collected.problems[0].emptyFolder);
    EXPECT_TRUE(collected.problems[1].emptyFolder);
}

TEST_F(Corpus, CancelledRunStopsAndSaysSo) {
    std::atomic<bool> cancel{false};
    compare::CompareOptions options;
    options.jobs = 2;
    const auto r = compare::compareTexts(
        *data, *lexicon, sources(), options,
        [&](std::size_t done, std::size_t, std::int64_t) {
            if (done == 3)
                cancel = true;
        },
        &cancel);
    EXPECT_TRUE(r.cancelled);
    EXPECT_LT(r.rows.size() + r.failures.size(), 17u);
}

std::string run(const std::string &command) {
    std::string out;
    FILE *pipe = popen(command.c_str(), "r");
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    pclose(pipe);
    return out;
}

TEST_F(Corpus, FrequencyOfShardsMergesIntoThatOfTheWhole) {
    const std::string cli = std::string(YUEDU_CLI) + " ";
    const std::string dataDir = " --data-dir '" + kData.string() + "' ";
    const std::string d = "'" + dir.string() + "'";
    run(cli + "compare" + dataDir + "--jobs 2 --freq " + d + "/whole.tsv " + d + "/a " + d + "/b " +
        d + "/c >/dev/null 2>&1");
    run(cli + "compare" + dataDir + "--freq " + d + "/shard1.tsv " + d + "/a >/dev/null 2>&1");
    run(cli + "compare" + dataDir + "--freq " + d + "/shard2.tsv " + d + "/b " + d +
        "/c >/dev/null 2>&1");
    const std::string whole = readFile(dir / "whole.tsv");
    ASSERT_GT(std::count(whole.begin(), whole.end(), '\n'), 20);
    EXPECT_EQ(run(cli + "freq --merge " + d + "/shard1.tsv " + d + "/shard2.tsv"), whole);
    // Shards that overlap count their words twice: the merge does add up.
    EXPECT_NE(run(cli + "freq --merge " + d + "/whole.tsv " + d + "/shard2.tsv"), whole);

    // The table is the freq command's own: freq over the segmented texts of a shard gives it.
    std::string segmented;
    for (const auto &t : compare::collectTexts({(dir / "a").string()}).files)
        segmented += run(cli + "segment" + dataDir + "'" + t + "'");
    writeFile(dir / "segmented.txt", segmented);
    EXPECT_EQ(run(cli + "freq " + d + "/segmented.txt"), readFile(dir / "shard1.tsv"));
}

// Folders give their texts and documents, never tables (a comparison's own output); files
// named are taken whatever they are called; every reading is reported with its path and in the
// encoding column; file names reach CSV and JSON safely.
TEST_F(Corpus, FoldersGiveTextsNotTablesAndEveryNameIsWrittenSafely) {
    const std::string cli =
        std::string(YUEDU_CLI) + " compare --data-dir '" + kData.string() + "' ";
    const fs::path f = dir / "f";
    const std::string story = readFile(fs::path(YUEDU_SAMPLES_DIR) / "story.txt");
    writeFile(f / "story.txt", story);
    writeFile(f / "=1+2.txt", story);
    writeFile(f / "\xB4\xFA.TEXT", story); // a name in Big5, not UTF-8
    // 我们今天一起去公园散步，这里的风景很美丽。 in GBK.
    writeFile(f / "sub" / "gb.rxt",
              "\xce\xd2\xc3\xc7\xbd\xf1\xcc\xec\xd2\xbb\xc6\xf0\xc8\xa5\xb9\xab"
              "\xd4\xb0\xc9\xa2\xb2\xbd\xa3\xac\xd5\xe2\xc0\xef\xb5\xc4\xb7\xe7"
              "\xbe\xb0\xba\xdc\xc3\xc0\xc0\xf6\xa1\xa3");
    writeFile(f / "result.csv", "path,zancf\r\n" + story);
    writeFile(f / "freq.tsv", story);
    writeFile(f / "notes.md", story);
    const std::string d = "'" + f.string() + "'";

    const std::string csv = run(cli + "--format csv " + d + " 2>&1; echo status=$?");
    EXPECT_NE(csv.find("status=0"), std::string::npos) << csv;
    for (const char *left : {"result.csv", "freq.tsv", "notes.md"})
        EXPECT_EQ(csv.find(left), std::string::npos) << left;
    // A cell that would be a formula is neutralised (a name given as such starts with "=").
    const std::string named =
        run("cd " + d + " && " + cli + "--format csv =1+2.txt story.txt 2>/dev/null");
    EXPECT_NE(named.find("\r\n'=1+2.txt,"), std::string::npos) << named;
    EXPECT_NE(csv.find((f / "sub" / "gb.rxt").string() +
                       ": read as GB18030 (Simplified Chinese); 5 hanzi have no record"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",GB18030\r\n"), std::string::npos);
    EXPECT_NE(csv.find(",UTF-8\r\n"), std::string::npos);

    // A table named explicitly is taken; --to-traditional converts and says so.
    const std::string json =
        run(cli + "--format json --to-traditional " + d + " " + d + "/result.csv 2>/dev/null");
    EXPECT_NE(json.find("\"path\":\"" + f.string() + "/\\udcb4\\udcfa.TEXT\""), std::string::npos)
        << json;
    EXPECT_NE(json.find("result.csv\""), std::string::npos);
    EXPECT_EQ(std::count(json.begin(), json.end(), '\n'), 5);
    const std::string converted = run(cli + "--to-traditional " + d + "/sub/gb.rxt 2>&1");
    EXPECT_NE(converted.find("converted from Simplified to Traditional Chinese"), std::string::npos)
        << converted;
    EXPECT_NE(converted.find("0 hanzi without a record in the data remain"), std::string::npos);

    // --encoding is honoured (Big5 bytes forced to UTF-8 are replaced, and said), and "-" is
    // standard input.
    writeFile(dir / "big5.txt", "\xa4\xd1\xa6\x61");
    const std::string forced =
        run(cli + "--encoding utf8 '" + (dir / "big5.txt").string() + "' 2>&1 >/dev/null");
    EXPECT_NE(forced.find("big5.txt: read as UTF-8; 1 invalid byte sequences"), std::string::npos)
        << forced;
    const std::string piped = run(cli + "- < " + d + "/story.txt 2>&1; echo status=$?");
    EXPECT_NE(piped.find("\n-\t"), std::string::npos) << piped;
    EXPECT_NE(piped.find("status=0"), std::string::npos);

    // A subfolder that cannot be read is a failure, named (the super-user reads every folder).
    writeFile(f / "locked" / "hidden.txt", story);
    fs::permissions(f / "locked", fs::perms::none);
    std::error_code ec;
    fs::directory_iterator probe(f / "locked", ec);
    const std::string locked = run(cli + d + " 2>&1 >/dev/null; echo status=$?");
    fs::permissions(f / "locked", fs::perms::owner_all);
    if (ec) {
        EXPECT_NE(locked.find((f / "locked").string() + ": the folder cannot be read"),
                  std::string::npos)
            << locked;
        EXPECT_NE(locked.find("status=1"), std::string::npos);
    }
}

TEST(FrequencyTable, RowsWithoutACountAreRejectedWithTheirLine) {
    compare::FrequencyCounts counts;
    compare::addFrequencyTable(u"a\\tb\t2\t50.00\t1\n\t1\t25.00\t2\r\na\\tb\t3\n", "x.tsv", counts);
    EXPECT_EQ(counts[u"a\tb"], 5);
    EXPECT_EQ(counts[u""], 1);
    for (const char16_t *bad : {u"w\n", u"w\tmany\t1\n", u"w\t-3\n"}) {
        try {
            compare::addFrequencyTable(std::u16string(u"ok\t1\n") + bad, "x.tsv", counts);
            ADD_FAILURE() << "accepted " << toUtf8(bad);
        } catch (const Error &e) {
            EXPECT_NE(std::string(e.what()).find("x.tsv:2"), std::string::npos) << e.what();
        }
    }
}

} // namespace
