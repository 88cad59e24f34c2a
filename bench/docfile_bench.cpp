// Reading and writing RTF documents: time should grow linearly with the text.
#include <benchmark/benchmark.h>

#include "docfile/rtfreader.h"
#include "docfile/rtfwriter.h"

using namespace yuedu::doc;

namespace {

RichDocument sampleDocument(std::size_t chars) {
    const std::u16string sentence =
        u"小明今天早上很早就起來了。他跟媽媽一起到公園去散步，看見很多小朋友。\n";
    RichDocument d;
    CharFormat plain, bold;
    bold.bold = true;
    bold.color = 0xCC0033;
    std::size_t n = 0;
    for (bool b = false; n < chars; n += sentence.size(), b = !b)
        d.append(sentence, b ? bold : plain);
    return d;
}

void BM_WriteRtf(benchmark::State &state) {
    const RichDocument d = sampleDocument(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(writeRtf(d));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadRtf(benchmark::State &state) {
    const std::string rtf = writeRtf(sampleDocument(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(readRtf(rtf));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_WriteRtf)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRtf)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
