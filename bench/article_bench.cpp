// Speed of the article analyses, in characters/s over texts of 1 MB and 50 MB: the structure
// profile, the attribute distribution and the per-character profile should grow linearly.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "article/articleattributes.h"
#include "article/articleprofile.h"
#include "benchdata.h"
#include "charprofile/characterprofile.h"
#include "databuild/sensefile.h"
#include "langdata/big5.h"
#include "langdata/languagedata.h"

namespace {

using namespace yuedu;

// The data files of the build, or records for the first 6000 hanzi with a detail record each.
const LanguageData &syntheticData() {
    static const auto data = [] {
        databuild::SenseSources sources;
        for (int n = 0; n < 6000; ++n) {
            const char16_t ch = charOfOrdinal(n);
            sources.chars.push_back({ch, {n % 22, n % 4, n % 14, n % 5, 1 + n % 213, 1 + n % 35}});
            databuild::DetailRecord d;
            d.zangener = 1 + n % 9;
            d.zanscale = n % 3000;
            if (n < 6374)
                sources.details.push_back({ch, d});
        }
        auto d = std::make_unique<LanguageData>();
        d->loadImages({}, {}, databuild::buildSenseFile(sources));
        return d;
    }();
    return *data;
}

const LanguageData &benchData() {
    const LanguageData *real = bench::realData();
    return real ? *real : syntheticData();
}

// A text of the given length: the realistic text on the data files of the build, else hanzi of
// 3000 kinds with a clause mark every 9 characters and a
// sentence mark every 31.
std::u16string benchText(std::int64_t length) {
    if (const LanguageData *real = bench::realData())
        return bench::realisticText(length, *real);
    std::u16string text;
    text.reserve(length);
    for (std::int64_t i = 0; i < length; ++i) {
        if (i % 31 == 30)
            text.push_back(u'。');
        else if (i % 9 == 8)
            text.push_back(u'，');
        else
            text.push_back(charOfOrdinal(static_cast<int>((i * 7919) % 3000)));
    }
    return text;
}

void BM_artprofile(benchmark::State &state) {
    const auto text = benchText(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(article::artprofile(benchData(), text, article::ArticleGenre{}));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_artprofile)
    ->Arg(bench::kChars1MB)
    ->Arg(bench::kChars50MB)
    ->Unit(benchmark::kMillisecond);

void BM_artattri(benchmark::State &state) {
    const auto text = benchText(state.range(0));
    for (auto _ : state) {
        const article::AttributeResult attributes = article::artattri(benchData(), text);
        benchmark::DoNotOptimize(attributes.attributeTree());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_artattri)
    ->Arg(bench::kChars1MB)
    ->Arg(bench::kChars50MB)
    ->Unit(benchmark::kMillisecond);

void BM_charprofile(benchmark::State &state) {
    const auto text = benchText(state.range(0));
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (char16_t ch : text)
            sum += charprofile::charprofile(benchData(), std::u16string_view(&ch, 1)).figure(25);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_charprofile)
    ->Arg(bench::kChars1MB)
    ->Arg(bench::kChars50MB)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
