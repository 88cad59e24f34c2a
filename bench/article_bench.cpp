// Speed of the article analyses over long texts: the structure profile, the attribute
// distribution and the per-character profile should grow linearly with the text.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "article/articleattributes.h"
#include "article/articleprofile.h"
#include "charprofile/characterprofile.h"
#include "databuild/sensefile.h"
#include "langdata/big5.h"
#include "langdata/languagedata.h"

namespace {

using namespace yuedu;

// Records for the first 6000 hanzi, a detail record for each.
const LanguageData &benchData() {
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

// A text of the given length: hanzi of 3000 kinds with a clause mark every 9 characters and a
// sentence mark every 31.
std::u16string benchText(std::int64_t length) {
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
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_artprofile)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);

void BM_artattri(benchmark::State &state) {
    const auto text = benchText(state.range(0));
    for (auto _ : state) {
        const article::AttributeResult attributes = article::artattri(benchData(), text);
        benchmark::DoNotOptimize(attributes.attributeTree());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_artattri)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);

void BM_charprofile(benchmark::State &state) {
    const auto text = benchText(state.range(0));
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (char16_t ch : text)
            sum +=
                charprofile::charprofile(benchData(), std::u16string_view(&ch, 1)).WordProfile[25];
        benchmark::DoNotOptimize(sum);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_charprofile)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
