#pragma once
// What the benchmarks run on: the data files the build makes (build/data, the full dictionary)
// when they are there, and a realistic text made of the dictionary's own words, the sentences
// and characters of the bundled samples and ordinary punctuation (as bench/make-text.py makes
// it for the command-line script). Peak memory is reported with each result.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"
#include "langdata/languagedata.h"
#include "langdata/textcodec.h"

namespace yuedu::bench {

// About 3 bytes a character in UTF-8: the 1 MB and 50 MB texts.
inline constexpr std::int64_t kChars1MB = 350'000;
inline constexpr std::int64_t kChars50MB = 17'000'000;

inline std::filesystem::path dataDir() {
    if (const char *env = std::getenv("YUEDU_DATA_DIR"); env && *env)
        return env;
    return YUEDU_BENCH_DATA_DIR;
}

// The full data files, or null when the build made none (the benchmark then says so).
inline const LanguageData *realData() {
    static const std::unique_ptr<LanguageData> data = [] {
        auto d = std::make_unique<LanguageData>();
        if (!loaddata(dataDir(), *d).ok())
            return std::unique_ptr<LanguageData>();
        return d;
    }();
    return data.get();
}

// The words of the segmentation dictionary: the first character and each second character of
// its two-character group, and the first character with three characters of its longer group.
inline std::vector<std::u16string> dictionaryWords(const LanguageData &d) {
    std::vector<std::u16string> words;
    const CodePage950 &cp = CodePage950::instance();
    for (const bool aux : {false, true}) {
        const Bytes &table = aux ? d.SegAuxTable : d.SegWordTable;
        for (int k = 0; k < kTableChars; ++k) {
            const std::uint8_t *e =
                d.SegIndexTable.data() + (aux ? layout::kSegAuxBlock : 0) + 5 * k;
            const std::size_t start = layout::be24(e), length = layout::be16(e + 3);
            if (start == 0 || start - 1 + length > table.size())
                continue;
            std::u16string group;
            for (std::size_t i = start - 1; i + 1 < start - 1 + length; i += 2)
                if (table[i] >= 0x80)
                    group += cp.unicodeOf(std::uint16_t(table[i] << 8 | table[i + 1]));
            const std::size_t step = aux ? 3 : 1;
            for (std::size_t i = 0; i + step <= group.size(); i += step)
                words.push_back(charOfOrdinal(k) + group.substr(i, step));
        }
    }
    return words;
}

inline std::vector<std::u16string> sampleSentences() {
    std::vector<std::u16string> sentences;
    std::error_code ec;
    for (const auto &f : std::filesystem::directory_iterator(YUEDU_BENCH_SAMPLES_DIR, ec)) {
        std::ifstream in(f.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        const std::u16string text = decodeText(bytes);
        std::size_t from = 0;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == u'。' || text[i] == u'\n') {
                if (i > from + 1)
                    sentences.push_back(text.substr(from, i - from));
                from = i + 1;
            }
    }
    if (sentences.empty())
        sentences.push_back(u"今天天氣很好");
    return sentences;
}

// A text of about `chars` characters, one sentence a line; the same for the same length.
inline std::u16string realisticText(std::int64_t chars, const LanguageData &d) {
    static const std::vector<std::u16string> words = dictionaryWords(d);
    static const std::vector<std::u16string> sentences = sampleSentences();
    std::u16string sampleChars;
    for (const auto &s : sentences)
        for (char16_t c : s)
            if (isTableChar(c))
                sampleChars += c;
    static constexpr std::u16string_view kMarks = u"，，，、；：「」";
    std::mt19937 rng(20261208);
    std::u16string text;
    text.reserve(static_cast<std::size_t>(chars) + 64);
    while (static_cast<std::int64_t>(text.size()) < chars) {
        const unsigned r = rng() % 100;
        if (r < 60 && !words.empty())
            text += words[rng() % words.size()];
        else if (r < 80)
            text += sampleChars[rng() % sampleChars.size()];
        else if (r < 85)
            text += sentences[rng() % sentences.size()];
        else if (r < 95)
            text += kMarks[rng() % kMarks.size()];
        else
            text += u"。\n";
    }
    return text;
}

// Peak resident memory of the process so far, in MB.
inline void reportPeakMemory(benchmark::State &state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace yuedu::bench
