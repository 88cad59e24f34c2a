// Words in context: each statistic against a small example worked out by hand, the orders of
// the concordance, its lines against the frequency list on real segmentation, and yuedu-cli
// against the core (any number of threads, with and without the kept texts).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/errors.h"
#include "compare/corpus.h"
#include "concord/concordance.h"
#include "concord/wordstatistics.h"
#include "langdata/languagedata.h"
#include "langdata/textcodec.h"
#include "runprocess.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"
#include "wordstats/frequency.h"

using namespace yuedu;
using namespace yuedu::concord;
namespace fs = std::filesystem;

namespace {

// A corpus of segmented texts (words each followed by two blanks), no segmentation needed.
WordCorpus segmentedCorpus(const std::vector<std::u16string> &texts) {
    std::vector<CorpusSource> sources;
    for (std::size_t i = 0; i < texts.size(); ++i)
        sources.push_back({"t" + std::to_string(i), texts[i]});
    CorpusBuild build = buildCorpus(sources, {}, []() -> const seg::PhraseDivider & {
        throw Error("segmented text was segmented again");
    });
    EXPECT_TRUE(build.failures.empty());
    return std::move(build.corpus);
}

std::vector<std::u16string> matches(const ConcordanceResult &r) {
    std::vector<std::u16string> out;
    for (const auto &l : r.lines)
        out.push_back(l.left + u"|" + l.match + u"|" + l.right);
    return out;
}

TEST(Concordance, SortsByTheWordsToEitherSide) {
    // 乙 X 丙 X 甲 X: in code-unit order 丙 < 乙 < 甲, and nothing sorts first.
    const WordCorpus corpus = segmentedCorpus({u"乙  X  丙  X  甲  X  \r\n"});
    ConcordanceOptions options;
    options.widthInWords = true;
    options.width = 1;
    const WordQuery x{u"X", MatchKind::Word};
    auto tokens = [&](ContextSort sort) {
        options.sort = sort;
        std::vector<std::uint32_t> out;
        for (const auto &l : concordance(corpus, x, options).lines)
            out.push_back(l.token);
        return out;
    };
    EXPECT_EQ(tokens(ContextSort::Position), (std::vector<std::uint32_t>{1, 3, 5}));
    EXPECT_EQ(tokens(ContextSort::Left1), (std::vector<std::uint32_t>{3, 1, 5}));
    EXPECT_EQ(tokens(ContextSort::Right1), (std::vector<std::uint32_t>{5, 1, 3}));
    // Left2: the word two to the left (none, X, X), then the one three to the left (乙, 丙).
    EXPECT_EQ(tokens(ContextSort::Left2), (std::vector<std::uint32_t>{1, 5, 3}));

    options.sort = ContextSort::Position;
    EXPECT_EQ(matches(concordance(corpus, x, options)),
              (std::vector<std::u16string>{u"乙  |X|  丙", u"丙  |X|  甲", u"甲  |X|"}));
    options.widthInWords = false;
    options.width = 3;
    EXPECT_EQ(matches(concordance(corpus, x, options)).front(), u"乙  |X|  丙");
}

TEST(Concordance, QueriesMatchWholeWordsPartsOrPatterns) {
    const WordCorpus corpus = segmentedCorpus({u"因為  為了  行為  因  \r\n", u"因為  \r\n"});
    auto count = [&](std::u16string pattern, MatchKind kind) {
        return concordance(corpus, {std::move(pattern), kind}, {}).lines.size();
    };
    EXPECT_EQ(count(u"因為", MatchKind::Word), 2u);
    EXPECT_EQ(count(u"為", MatchKind::Word), 0u);
    EXPECT_EQ(count(u"為", MatchKind::Substring), 4u);
    EXPECT_EQ(count(u"為.", MatchKind::Regex), 1u);  // whole words only: 為了
    EXPECT_EQ(count(u"因.?", MatchKind::Regex), 3u); // 因為 twice, 因
    EXPECT_THROW(count(u"(", MatchKind::Regex), Error);
    const auto r = concordance(corpus, {u"因為", MatchKind::Word}, {});
    EXPECT_EQ(r.hitsPerText(), (std::vector<std::int64_t>{1, 1}));
    EXPECT_EQ(r.dispersion()[0], std::vector<double>{0.0});
}

TEST(Clusters, CountFrequencyAndRangeWithinRunsOfWords) {
    const WordCorpus corpus = segmentedCorpus({u"甲  乙  丙  甲  乙  \r\n", u"甲  乙  丁  \r\n"});
    NgramOptions options;
    NgramResult r = ngrams(corpus, options);
    ASSERT_EQ(r.rows.size(), 4u);
    EXPECT_EQ(r.rows[0].words, u"甲 乙");
    EXPECT_EQ(r.rows[0].frequency, 3);
    EXPECT_EQ(r.rows[0].range, 2);
    options.minRange = 2;
    EXPECT_EQ(ngrams(corpus, options).rows.size(), 1u);
    options = {};
    options.n = 3;
    options.around = WordQuery{u"丁", MatchKind::Word};
    r = ngrams(corpus, options);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].words, u"甲 乙 丁");
    options.n = 6;
    EXPECT_THROW(ngrams(corpus, options), Error);

    // Punctuation between two words breaks a cluster.
    WordCorpus broken;
    broken.add(viewOf("p", false,
                      std::make_shared<const OwnedText>(
                          OwnedText{u"甲乙，丙", {0, 1, 2}, {0, 1, 3}, {1, 0, 1}})),
               {u"甲", u"乙", u"丙"});
    r = ngrams(broken, {});
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].words, u"甲 乙");
}

TEST(Collocates, MeasuresOfAWorkedExample) {
    // A B C A D B, node A, one word each side: B once (right of the first A), C once (left of
    // the second), D once (right of it). N = 6, f(A) = 2, span 2.
    const WordCorpus corpus = segmentedCorpus({u"A  B  C  A  D  B  \r\n"});
    CollocateOptions options;
    options.left = options.right = 1;
    const CollocateResult r = collocates(corpus, {u"A", MatchKind::Word}, options);
    EXPECT_EQ(r.nodeFrequency, 2);
    EXPECT_EQ(r.corpusWords, 6);
    ASSERT_EQ(r.rows.size(), 3u);
    const CollocateRow &b = r.rows[0];
    EXPECT_EQ(b.word, u"B");
    EXPECT_EQ(b.observed, 1);
    EXPECT_EQ(b.rightCount, 1);
    EXPECT_EQ(b.leftCount, 0);
    EXPECT_EQ(b.frequency, 2);
    EXPECT_NEAR(b.expected, 4.0 / 3, 1e-12);   // 2 * 2 * 2 / 6
    EXPECT_NEAR(b.mi, std::log2(0.75), 1e-12); // log2(1 / (4/3))
    EXPECT_NEAR(b.tScore, -1.0 / 3, 1e-12);    // (1 - 4/3) / 1
    // Slots W = 4: O = 1, 3 / 1, 1 against E = 4/3, 8/3 / 2/3, 4/3.
    EXPECT_NEAR(b.logLikelihood, 0.36690014034750584, 1e-9);
    EXPECT_EQ(r.rows[1].word, u"C");
    EXPECT_EQ(r.rows[1].leftCount, 1);
    options.minFreq = 2;
    EXPECT_TRUE(collocates(corpus, {u"A", MatchKind::Word}, options).rows.empty());
}

TEST(Keywords, SignedLogLikelihoodLogRatioAndBonferroni) {
    // a = 10 of c = 1000 against b = 5 of d = 2000: E1 = 5, E2 = 10.
    EXPECT_NEAR(logLikelihood(10, 5, 1000, 2000), 2 * (10 * std::log(2.0) + 5 * std::log(0.5)),
                1e-12);
    EXPECT_NEAR(logRatio(10, 5, 1000, 2000), 2.0, 1e-12);
    // Used less than in the reference: negative; a zero count taken as a half.
    EXPECT_NEAR(logLikelihood(0, 4, 100, 100), -8 * std::log(2.0), 1e-12);
    EXPECT_NEAR(logRatio(0, 4, 100, 100), -3.0, 1e-12);
    EXPECT_NEAR(chiSquareP(3.841458820694124), 0.05, 1e-9);

    // Two words compared: significant below p = 0.025, i.e. above LL 5.02.
    const WordCounts corpus{{u"甲", 90}, {u"乙", 10}, {u"", 7}};
    const WordCounts reference{{u"甲", 50}, {u"乙", 50}, {u"", 3}};
    const KeywordResult r = keywords(corpus, reference, {});
    EXPECT_EQ(r.corpusWords, 100); // the empty piece is no word
    EXPECT_EQ(r.comparisons, 2u);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].word, u"甲");
    EXPECT_GT(r.rows[0].logLikelihood, 0);
    EXPECT_LT(r.rows[1].logLikelihood, 0);
    EXPECT_NEAR(r.rows[0].logLikelihood, logLikelihood(90, 50, 100, 100), 1e-12);
    EXPECT_TRUE(r.rows[0].significant);
    // LL 3.99 (p 0.046) of a single comparison would be significant, of two it is not.
    const WordCounts small{{u"甲", 28}, {u"乙", 72}}, ref{{u"甲", 15}, {u"乙", 85}};
    const KeywordResult s = keywords(small, ref, {});
    ASSERT_EQ(s.rows.size(), 2u);
    EXPECT_LT(s.rows[0].p, 0.05);
    EXPECT_GT(s.rows[0].p, 0.025);
    EXPECT_FALSE(s.rows[0].significant);
}

// Real segmentation ------------------------------------------------------------------------------

std::string readFile(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class RealText : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data = std::make_unique<LanguageData>();
        loaddata(YUEDU_TEST_DATA_DIR, *data);
        lexicon = std::make_unique<seg::Lexicon>(seg::LoadLexicon(YUEDU_TEST_DATA_DIR));
        divider = std::make_unique<seg::PhraseDivider>(*data, *lexicon);
        // The sample story and the hand-segmented sentences run together as prose.
        story = fromUtf8(readFile(fs::path(YUEDU_SAMPLES_DIR) / "story.txt"));
        std::istringstream eval(readFile(YUEDU_EVAL_FILE));
        for (std::string line; std::getline(eval, line);) {
            if (line.empty() || line[0] == '#')
                continue;
            line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
            story += fromUtf8(line) + u"\n";
        }
    }
    static inline std::unique_ptr<LanguageData> data;
    static inline std::unique_ptr<seg::Lexicon> lexicon;
    static inline std::unique_ptr<seg::PhraseDivider> divider;
    static inline std::u16string story;
};

TEST_F(RealText, EveryWordIsFoundInTheTextAndCountedAsTheFrequencyListCountsIt) {
    std::vector<std::u16string> local;
    const CorpusText text = cutText("story", story, false, divider.get(), local);
    ASSERT_GT(text.size(), 500u);
    for (std::size_t i = 0; i < text.size(); ++i)
        ASSERT_EQ(text.text.substr(text.starts[i], local[text.words[i]].size()),
                  local[text.words[i]])
            << i;
    EXPECT_FALSE(looksSegmented(story));
    const std::u16string segmented = divider->DivideText(story);
    EXPECT_TRUE(looksSegmented(segmented));

    // Raw and segmented, the corpus holds what the frequency list counts, and a word has as
    // many concordance lines as its count.
    const auto freq = wordstats::WordFrequency(segmented);
    const WordCorpus raw = buildCorpus({{"raw", story}}, {}, [&]() -> const seg::PhraseDivider & {
                               return *divider;
                           }).corpus;
    const WordCorpus cut = segmentedCorpus({segmented});
    std::size_t checked = 0;
    for (std::size_t i = 0; i < freq.size(); ++i) {
        if (freq.words[i].word.empty())
            continue;
        for (const WordCorpus *c : {&raw, &cut}) {
            const auto id = c->find(freq.words[i].word);
            ASSERT_TRUE(id);
            EXPECT_EQ(c->count(*id), freq.words[i].count);
        }
        if (freq.words[i].count > 1 && checked++ < 20) {
            EXPECT_EQ(concordance(raw, {freq.words[i].word, MatchKind::Word}, {}).lines.size(),
                      static_cast<std::size_t>(freq.words[i].count));
        }
    }
    EXPECT_GT(checked, 5u);
}

// yuedu-cli --------------------------------------------------------------------------------------

class Cli : public RealText {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("yuedu-concord-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "corpus" / "b");
        for (int i = 0; i < 5; ++i) {
            std::ofstream(dir / "corpus" / (i % 2 ? "b" : ".") / ("t" + std::to_string(i) + ".txt"),
                          std::ios::binary)
                << toUtf8(story.substr(static_cast<std::size_t>(i) * 40));
        }
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string cli(std::vector<std::string> args, bool cache = true) {
        args.insert(args.begin(), {YUEDU_CLI, args.front(), "--data-dir", YUEDU_TEST_DATA_DIR});
        args.erase(args.begin() + 4);
        if (!cache)
            args.push_back("--no-cache");
        args.push_back((dir / "corpus").string());
        ::setenv("YUEDU_CACHE_DIR", (dir / "cache").c_str(), 1);
        const auto r = test::runProcess(args, (dir / "out").string());
        EXPECT_EQ(r.status, 0) << r.err;
        return test::readWholeFile((dir / "out").string());
    }
    fs::path dir;
};

TEST_F(Cli, AgreesWithTheCoreForAnyNumberOfThreadsAndWithKeptTexts) {
    std::vector<CorpusSource> sources;
    for (const auto &f : compare::collectTexts({(dir / "corpus").string()}).files)
        sources.push_back({f, std::nullopt});
    const WordCorpus corpus =
        buildCorpus(sources, {}, [&]() -> const seg::PhraseDivider & { return *divider; }).corpus;
    // The most frequent word of two characters or more.
    WordId best = 0;
    for (WordId id = 0; id < corpus.wordCount(); ++id)
        if (corpus.word(id).size() > 1 && corpus.count(id) > corpus.count(best))
            best = id;
    const std::string word = toUtf8(corpus.word(best));
    ConcordanceOptions options;
    options.sort = ContextSort::Right1;
    const auto lines = concordance(corpus, {corpus.word(best), MatchKind::Word}, options).lines;
    ASSERT_GT(lines.size(), 3u);

    const std::string plain = cli({"concord", "--jobs", "1", "--sort", "right1", word}, false);
    std::istringstream in(plain);
    std::string row;
    std::getline(in, row);
    EXPECT_EQ(row, "file\tline\tleft\tmatch\tright");
    for (const auto &line : lines) {
        ASSERT_TRUE(std::getline(in, row));
        EXPECT_EQ(row, corpus.texts[line.text].name + "\t" + std::to_string(line.line) + "\t" +
                           toUtf8(line.left) + "\t" + word + "\t" + toUtf8(line.right));
    }
    EXPECT_FALSE(std::getline(in, row));
    // Two threads, then the texts kept by that run, give the same table.
    EXPECT_EQ(cli({"concord", "--jobs", "2", "--sort", "right1", word}), plain);
    EXPECT_FALSE(fs::is_empty(dir / "cache"));
    EXPECT_EQ(cli({"concord", "--jobs", "2", "--sort", "right1", word}), plain);

    // A changed text is read again, not taken from what was kept.
    std::ofstream(dir / "corpus" / "t0.txt", std::ios::binary | std::ios::app) << "\n"
                                                                               << word << "。\n";
    const std::string changed = cli({"concord", word});
    EXPECT_GT(std::count(changed.begin(), changed.end(), '\n'),
              std::count(plain.begin(), plain.end(), '\n'));

    // The other commands: the same with and without kept texts and threads.
    for (const std::vector<std::string> &args : {std::vector<std::string>{"ngrams", "-n", "3"},
                                                 {"collocates", "--window", "2,3", word},
                                                 {"ngrams", "--min-range", "2"}}) {
        auto jobs = args;
        jobs.insert(jobs.begin() + 1, {"--jobs", "2"});
        EXPECT_EQ(cli(args, false), cli(jobs)) << args.front();
    }
}

TEST_F(Cli, KeywordsAgainstAFrequencyTable) {
    // The corpus against itself: every word in proportion, nothing significant.
    const std::string seg = test::readWholeFile((dir / "corpus" / "t0.txt").string());
    auto segmented = divider->DivideText(fromUtf8(seg));
    std::ofstream(dir / "seg.txt", std::ios::binary) << toUtf8(segmented);
    test::runProcess({YUEDU_CLI, "freq", (dir / "seg.txt").string()}, (dir / "ref.tsv").string());
    fs::remove_all(dir / "corpus" / "b");
    for (int i : {2, 4})
        fs::remove(dir / "corpus" / ("t" + std::to_string(i) + ".txt"));
    const std::string out = cli({"keywords", "--reference", (dir / "ref.tsv").string()});
    EXPECT_NE(out.find("\t0\t0\t1\tfalse\n"), std::string::npos) << out.substr(0, 400);
    EXPECT_EQ(out.find("true"), std::string::npos);
}

} // namespace
