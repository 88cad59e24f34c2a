// Word statistics, each from the segmented text to the finished result lists: word frequency,
// vocabulary grades and sense classes. On the data files of the build, over the segmentation of
// realistic texts of 1 MB and 50 MB; without them, over a million words of a made-up vocabulary.
#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <string>

#include "benchdata.h"
#include "databuild/gradefile.h"
#include "databuild/sensefile.h"
#include "langdata/big5.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"
#include "wordstats/frequency.h"
#include "wordstats/senses.h"

using namespace yuedu;
using namespace yuedu::wordstats;

namespace {

constexpr std::size_t kWords = 1'000'000;

// A vocabulary of 30,000 words of one to four hanzi, drawn with a Zipf-like skew and written
// as the segmenter writes: two blanks after every word, a line break after every 13.
std::u16string millionWordText() {
    std::mt19937 rng(42);
    std::vector<std::u16string> vocabulary(30000);
    std::uniform_int_distribution<int> ordinal(0, 5400);
    std::discrete_distribution<int> length({30, 55, 10, 5});
    for (auto &w : vocabulary)
        for (int n = length(rng) + 1; n > 0; --n)
            w += charOfOrdinal(ordinal(rng));
    std::vector<double> weights(vocabulary.size());
    for (std::size_t i = 0; i < weights.size(); ++i)
        weights[i] = 1.0 / static_cast<double>(i + 1);
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    std::u16string text;
    text.reserve(kWords * 5);
    for (std::size_t i = 0; i < kWords; ++i) {
        text += vocabulary[pick(rng)];
        text += u"  ";
        if (i % 13 == 12)
            text += u"\r\n";
    }
    text += u"\r\n";
    return text;
}

// The segmented text of the given length (in characters before segmenting).
const std::u16string &text(std::int64_t chars) {
    static std::map<std::int64_t, std::u16string> texts;
    std::u16string &t = texts[chars];
    if (t.empty()) {
        if (const LanguageData *real = bench::realData()) {
            const seg::Lexicon lexicon = seg::LoadLexicon(bench::dataDir());
            const seg::PhraseDivider divider(*real, lexicon);
            t = divider.DivideText(bench::realisticText(chars, *real));
        } else {
            t = millionWordText();
        }
    }
    return t;
}

const LanguageData &syntheticData() {
    static const LanguageData d = [] {
        databuild::GradeSources grades;
        for (int i = 0; i < 2000; ++i)
            grades.lists[0].push_back({std::u16string(1, charOfOrdinal(i)), 23});
        for (int i = 0; i < 8000; ++i)
            grades.lists[1].push_back(
                {std::u16string{charOfOrdinal(i % 5000), charOfOrdinal((i * 7) % 5000 + 1)},
                 static_cast<std::uint8_t>(10 + i % 60)});
        for (int i = 0; i < 3000; ++i)
            grades.rankList += charOfOrdinal(i);
        databuild::SenseSources senses;
        for (int i = 0; i < 5000; ++i)
            senses.words.push_back({std::u16string(1, charOfOrdinal(i)), 1 + i % 95});
        for (int i = 0; i < 20000; ++i)
            senses.words.push_back(
                {std::u16string{charOfOrdinal(i % 5000), charOfOrdinal((i * 13) % 5000)},
                 1 + i % 95});
        LanguageData d;
        d.loadImages(databuild::buildGradeFile(grades), "", databuild::buildSenseFile(senses));
        return d;
    }();
    return d;
}

const LanguageData &data() {
    const LanguageData *real = bench::realData();
    return real ? *real : syntheticData();
}

void finish(benchmark::State &state) {
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(text(state.range(0)).size()));
    bench::reportPeakMemory(state);
}

void BM_WordFrequency(benchmark::State &state) {
    FrequencyResult result;
    for (auto _ : state) {
        result = WordFrequency(text(state.range(0)));
        benchmark::DoNotOptimize(result.words.data());
    }
    finish(state);
    state.counters["words"] = static_cast<double>(result.WordTotal);
    state.counters["distinct"] = static_cast<double>(result.words.size());
}

void BM_VocabularyGrades(benchmark::State &state) {
    GradeResult result;
    for (auto _ : state) {
        result = VocabularyGrades(data(), text(state.range(0)));
        benchmark::DoNotOptimize(result.words.data());
    }
    finish(state);
    state.counters["distinct"] = static_cast<double>(result.words.size());
}

void BM_SenseClasses(benchmark::State &state) {
    SenseResult result;
    for (auto _ : state) {
        result = SenseClasses(data(), text(state.range(0)));
        benchmark::DoNotOptimize(result.SenseClassLists.data());
    }
    finish(state);
    state.counters["distinct"] = static_cast<double>(result.words.size());
}

} // namespace

BENCHMARK(BM_WordFrequency)
    ->Arg(bench::kChars1MB)
    ->Arg(bench::kChars50MB)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VocabularyGrades)
    ->Arg(bench::kChars1MB)
    ->Arg(bench::kChars50MB)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SenseClasses)
    ->Arg(bench::kChars1MB)
    ->Arg(bench::kChars50MB)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
