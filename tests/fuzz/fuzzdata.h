#pragma once
// The data the fuzz targets run on: the data files of YUEDU_DATA_DIR (CI points it at the full
// data of the main build), else the starter data of this build, loaded once.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "langdata/languagedata.h"
#include "langdata/textcodec.h"
#include "segment/lexicon.h"

namespace yuedu::fuzz {

inline std::filesystem::path dataDir() {
    const char *dir = std::getenv("YUEDU_DATA_DIR");
    return dir && *dir ? std::filesystem::path(dir) : std::filesystem::path(YUEDU_FUZZ_DATA_DIR);
}

inline const LanguageData &languageData() {
    static const LanguageData *data = [] {
        auto *d = new LanguageData; // lives as long as the process
        loaddata(dataDir(), *d);
        return d;
    }();
    return *data;
}

inline const seg::Lexicon &lexicon() {
    static const seg::Lexicon lex = seg::LoadLexicon(dataDir());
    return lex;
}

// Fuzz input as text: the first byte picks how the rest is read, so both the raw decoder
// output and plain UTF-16 units reach the analyses.
inline std::u16string fuzzText(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return {};
    const std::string_view rest(reinterpret_cast<const char *>(data) + 1, size - 1);
    if (data[0] & 1)
        return decodeText(rest);
    std::u16string text;
    for (std::size_t i = 0; i + 1 < rest.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(rest[i]) |
                                             static_cast<unsigned char>(rest[i + 1]) << 8));
    return text;
}

[[noreturn]] inline void fail(const char *what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace yuedu::fuzz
