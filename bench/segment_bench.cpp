// Segmentation speed over a text of a million characters, with a dictionary of some ten
// thousand words built here from the common characters, and the built-in word-class lists.
#include <benchmark/benchmark.h>

#include <random>

#include "databuild/segdict.h"
#include "langdata/constants.h"
#include "langdata/languagedata.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"

using namespace yuedu;

namespace {

struct Corpus {
    LanguageData data;
    seg::Lexicon lexicon = seg::Lexicon::builtIn();
    std::vector<std::u16string> words;
    std::u16string text;

    Corpus() {
        const std::u16string &chars = constants::CommonCharList();
        std::mt19937 rng(20240601);
        auto pick = [&] { return chars[rng() % chars.size()]; };
        for (int i = 0; i < 12000; ++i) {
            const int length = i < 8000 ? 2 : i < 10500 ? 3 : 4;
            std::u16string w;
            for (int j = 0; j < length; ++j)
                w += pick();
            words.push_back(w);
        }
        databuild::SegDictReport report;
        data.loadImages({}, databuild::buildSegFile(words, &report), {});
        lexicon.UserWords = u",電腦網路,資訊科學,";

        // Ordinary-looking text: mostly dictionary words, single characters, forms the rule
        // passes take (reduplication, numbers, time words, verb complements, adverbs), some
        // punctuation and line breaks.
        static const std::u16string_view kPhrases[] = {
            u"看看",   u"乾乾淨淨", u"好不好", u"三個人", u"三十幾個", u"今天",
            u"上禮拜", u"跑來跑去", u"吃不了", u"桌子",   u"好極了",   u"還是",
            u"非常",   u"電腦網路", u"一條條", u"第一名"};
        while (text.size() < 1'000'000) {
            const unsigned r = rng() % 100;
            if (r < 60)
                text += words[rng() % words.size()];
            else if (r < 80)
                text += pick();
            else if (r < 92)
                text += kPhrases[rng() % std::size(kPhrases)];
            else if (r < 98)
                text += u"，";
            else
                text += u"。\r\n";
        }
    }
};

const Corpus &corpus() {
    static const Corpus c;
    return c;
}

void BM_DivideText(benchmark::State &state) {
    const Corpus &c = corpus();
    const seg::PhraseDivider divider(c.data, c.lexicon);
    std::size_t out = 0;
    for (auto _ : state) {
        std::u16string result = divider.DivideText(c.text);
        out = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * c.text.size()));
    state.counters["chars"] = static_cast<double>(c.text.size());
    state.counters["out_chars"] = static_cast<double>(out);
}
BENCHMARK(BM_DivideText)->Unit(benchmark::kMillisecond);

void BM_BuildDivider(benchmark::State &state) {
    const Corpus &c = corpus();
    for (auto _ : state) {
        seg::PhraseDivider divider(c.data, c.lexicon);
        benchmark::DoNotOptimize(&divider);
    }
}
BENCHMARK(BM_BuildDivider)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
