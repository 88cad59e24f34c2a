// Reading the other document formats: a Word document of 5 MB (made here, from the realistic
// text, with one run of formatting in three as word processors write it) and, when
// YUEDU_BENCH_PDF names one, a PDF (such as a 300-page book exported by LibreOffice). The goal:
// either opens in under 3 s, and reading is not slower than segmenting the text it gives
// (compare with segment_bench on the same number of characters).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <zip.h>

#include "benchdata.h"
#include "docfile/documentformats.h"
#include "docfile/documentreader.h"

using namespace yuedu;

namespace {

std::string xmlEscaped(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '<')
            out += "&lt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

// A .docx of about `bytes` bytes: paragraphs of realistic text, each in three runs.
std::string makeDocx(std::size_t bytes) {
    const LanguageData *d = bench::realData();
    static LanguageData empty;
    const std::u16string text =
        bench::realisticText(static_cast<std::int64_t>(bytes), d ? *d : empty);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document xmlns:w=\"http://"
                      "schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        const std::u16string_view line = std::u16string_view(text).substr(start, end - start);
        xml += "<w:p><w:pPr><w:jc w:val=\"both\"/></w:pPr>";
        const std::size_t third = line.size() / 3 + 1;
        for (std::size_t i = 0; i < line.size(); i += third)
            xml += std::string("<w:r>") + (i == third ? "<w:rPr><w:b/></w:rPr>" : "") +
                   "<w:t xml:space=\"preserve\">" + xmlEscaped(toUtf8(line.substr(i, third))) +
                   "</w:t></w:r>";
        xml += "</w:p>";
        start = end + 1;
    }
    xml += "</w:body></w:document>";
    const auto path = std::filesystem::temp_directory_path() / "yuedu-bench.docx";
    int error = 0;
    zip_t *zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_file_add(zip, "word/document.xml", zip_source_buffer(zip, xml.data(), xml.size(), 0), 0);
    zip_close(zip);
    std::string out = doc::readFileBytes(path.string());
    std::filesystem::remove(path);
    return out;
}

void BM_ReadDocx(benchmark::State &state) {
    // 3.4 million characters of realistic text pack to a .docx of about 5 MB.
    const std::string file = makeDocx(static_cast<std::size_t>(state.range(0)));
    std::size_t chars = 0;
    for (auto _ : state) {
        auto r = doc::readFormattedText(file, "bench.docx");
        chars = r->text.text.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["file_MB"] = static_cast<double>(file.size()) / 1e6;
    state.counters["chars"] = static_cast<double>(chars);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_ReadDocx)->Arg(3'400'000)->Unit(benchmark::kMillisecond);

void BM_ReadPdf(benchmark::State &state) {
    const char *path = std::getenv("YUEDU_BENCH_PDF");
    if (!path || !*path) {
        state.SkipWithError("set YUEDU_BENCH_PDF to a PDF file");
        return;
    }
    const std::string file = doc::readFileBytes(path);
    std::size_t chars = 0;
    for (auto _ : state) {
        auto r = doc::readFormattedText(file, path);
        chars = r->text.text.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["file_MB"] = static_cast<double>(file.size()) / 1e6;
    state.counters["chars"] = static_cast<double>(chars);
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_ReadPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
