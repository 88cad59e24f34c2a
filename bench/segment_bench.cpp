// Segmentation on the full dictionary of the build: start-up (the three data files and the user
// words read, the dictionary indexed), and characters/s over a realistic text of 1 MB and 50 MB.
#include <benchmark/benchmark.h>

#include "benchdata.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"

using namespace yuedu;

namespace {

// Loading the files to a divider ready for the first line, as yuedu-cli segment does.
void BM_StartUp(benchmark::State &state) {
    for (auto _ : state) {
        LanguageData data;
        const LoadReport report = loaddata(bench::dataDir(), data);
        const seg::Lexicon lexicon = seg::LoadLexicon(bench::dataDir());
        seg::PhraseDivider divider(data, lexicon);
        benchmark::DoNotOptimize(divider.DivideText(u"今天天氣很好。"));
        if (!report.ok())
            state.SkipWithError(report.text().c_str());
    }
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_DivideText(benchmark::State &state) {
    const LanguageData *data = bench::realData();
    if (!data) {
        state.SkipWithError("no data files in the build (build/data)");
        return;
    }
    const seg::Lexicon lexicon = seg::LoadLexicon(bench::dataDir());
    const seg::PhraseDivider divider(*data, lexicon);
    const std::u16string text = bench::realisticText(state.range(0), *data);
    std::size_t out = 0;
    for (auto _ : state) {
        // Streamed as the command writes it: a line at a time.
        out = 0;
        divider.DivideText(text, [&out](std::u16string_view line) { out += line.size(); });
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["chars"] = static_cast<double>(text.size());
    state.counters["out_chars"] = static_cast<double>(out);
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_DivideText)
    ->Arg(bench::kChars1MB)
    ->Arg(bench::kChars50MB)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
