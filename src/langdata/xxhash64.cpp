#include "langdata/xxhash64.h"

// The reference implementation, compiled in: nothing more to load at start.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace yuedu {

std::uint64_t xxh64(std::string_view bytes, std::uint64_t seed) {
    return XXH64(bytes.data(), bytes.size(), seed);
}

std::string xxh64Hex(std::string_view bytes) {
    const std::uint64_t h = xxh64(bytes);
    static const char digits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 0; i < 16; ++i)
        out[static_cast<std::size_t>(i)] = digits[(h >> (60 - 4 * i)) & 15];
    return out;
}

} // namespace yuedu
