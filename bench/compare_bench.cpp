// Comparison of a corpus of 300 texts on 1, 2 and 4 threads: the whole run, reading aside
// (the texts are in memory), so the figure is the analyses' own speed-up. The texts are made
// here from the sample story and dictionary words of the open word list, with the lengths and
// the sentence and line rhythm of children's reading texts (some 300 to 4,000 characters).
//
//   build/bench/compare_bench [--benchmark_min_time=...]   (data: YUEDU_DATA_DIR or build/data)
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>

#include "compare/comparison.h"
#include "langdata/textcodec.h"
#include "segment/lexicon.h"

using namespace yuedu;

namespace {

constexpr int kTexts = 300;

std::filesystem::path exeDir() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

std::string readFile(const std::filesystem::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The first 20,000 words of the word list (word TAB weight lines), with their weights.
void dictionaryWords(std::vector<std::u16string> &words, std::vector<double> &weights) {
    std::istringstream in(readFile("/usr/share/rime-data/essay.txt"));
    std::string line;
    while (std::getline(in, line) && words.size() < 20000) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        words.push_back(fromUtf8(line.substr(0, tab)));
        weights.push_back(std::stod(line.substr(tab + 1)));
    }
}

std::vector<compare::TextSource> corpus() {
    const std::u16string story = fromUtf8(readFile(exeDir() / "../../data/samples/story.txt"));
    std::vector<std::u16string> words;
    std::vector<double> weights;
    dictionaryWords(words, weights);
    if (words.empty()) { // the word list is not installed: the story's own characters
        for (char16_t c : story)
            words.emplace_back(1, c);
        weights.assign(words.size(), 1.0);
    }
    std::mt19937 rng(7);
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    std::uniform_int_distribution<int> length(300, 4000);
    std::uniform_int_distribution<int> clause(3, 9);
    std::vector<compare::TextSource> texts;
    for (int t = 0; t < kTexts; ++t) {
        std::u16string text = story;
        const std::size_t target = static_cast<std::size_t>(length(rng));
        int sentence = 0;
        while (text.size() < target) {
            for (int w = clause(rng); w > 0; --w)
                text += words[pick(rng)];
            text += ++sentence % 3 ? u"，" : u"。";
            if (sentence % 12 == 0)
                text += u"\n";
        }
        texts.push_back({"text" + std::to_string(t), text});
    }
    return texts;
}

struct Shared {
    LanguageData data;
    seg::Lexicon lexicon;
    std::vector<compare::TextSource> texts = corpus();
    std::int64_t chars = 0;
    Shared() {
        const auto dir = findDataDir("", exeDir());
        loaddata(dir, data);
        lexicon = seg::LoadLexicon(dir);
        for (const auto &t : texts)
            chars += static_cast<std::int64_t>(t.text->size());
    }
};

Shared &shared() {
    static Shared s;
    return s;
}

void BM_CompareCorpus(benchmark::State &state) {
    Shared &s = shared();
    compare::CompareOptions options;
    options.jobs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto result = compare::compareTexts(s.data, s.lexicon, s.texts, options);
        benchmark::DoNotOptimize(result.rows.data());
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
    state.SetBytesProcessed(state.iterations() * s.chars * 2);
    state.counters["chars"] = static_cast<double>(s.chars);
}
BENCHMARK(BM_CompareCorpus)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
