#include "langdata/datafingerprint.h"

#include <cstdint>
#include <cstdio>

namespace yuedu {
namespace {

// FNV-1a, 64 bits.
constexpr std::uint64_t kOffset = 14695981039346656037ull;
constexpr std::uint64_t kPrime = 1099511628211ull;

void mix(std::uint64_t &h, const std::uint8_t *p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        h ^= p[i];
        h *= kPrime;
    }
}

} // namespace

std::string dataFingerprint(const LanguageData &data) {
    std::uint64_t h = kOffset;
    for (const std::u16string &list : data.GradeWordLists)
        for (char16_t c : list) {
            const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(c & 0xFF),
                                           static_cast<std::uint8_t>(c >> 8)};
            mix(h, bytes, 2);
        }
    for (const Bytes *table :
         {&data.SegIndexTable, &data.SegWordTable, &data.SegAuxTable, &data.SenseIndexTable,
          &data.SenseWordTable, &data.CharRecordTable, &data.CharDetailTable})
        mix(h, table->data(), table->size());
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

} // namespace yuedu
