#pragma once
// Small character data for the article and character-profile tests: the records of a few
// characters, written by the data builder and loaded like the real file.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "databuild/sensefile.h"
#include "langdata/big5.h"
#include "langdata/datalayout.h"
#include "langdata/languagedata.h"

namespace yuedu::testdata {

struct TestChar {
    char16_t ch = 0;
    databuild::CharRecord record;
    std::optional<databuild::DetailRecord> detail; // none: record number 0
};

inline databuild::CharRecord charRec(int radical, int strokes, int initial = 0, int medial = 0,
                                     int final = 0, int tone = 0) {
    return {initial, medial, final, tone, radical, strokes};
}

inline databuild::DetailRecord detailRec(int zangener, int zanscale) {
    databuild::DetailRecord d;
    d.zangener = zangener;
    d.zanscale = zanscale;
    return d;
}

inline std::unique_ptr<LanguageData> makeData(const std::vector<TestChar> &chars) {
    databuild::SenseSources sources;
    for (const auto &c : chars) {
        sources.chars.push_back({c.ch, c.record});
        if (c.detail)
            sources.details.push_back({c.ch, *c.detail});
    }
    auto data = std::make_unique<LanguageData>();
    const std::string image = databuild::buildSenseFile(sources);
    data->loadImages({}, {}, image);
    return data;
}

// The 44 bytes of the detail record of ch, for writing bytes the builder does not produce.
inline std::uint8_t *detailBytes(LanguageData &data, char16_t ch) {
    const int n = tableOrdinal(ch);
    const int r = static_cast<int>(layout::be16(data.CharDetailTable.data() + 2 * n));
    return data.CharDetailTable.data() + layout::kDetailIndexSize + (r - 1) * 44;
}

// The private-use character of code page 950 (codes C6A1..C8FE) whose ordinal is that of the
// frequent hanzi ch, or 0 when there is none.
inline char16_t privateUseTwin(char16_t ch) {
    for (char16_t c = 0xE000; c <= 0xF8FF; ++c)
        if (tableOrdinal(c) == tableOrdinal(ch))
            return c;
    return 0;
}

} // namespace yuedu::testdata
