#include "langdata/xxhash64.h"

#include <bit>
#include <cstring>

namespace yuedu {
namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;

std::uint64_t rotl(std::uint64_t x, int r) {
    return (x << r) | (x >> (64 - r));
}

// Little-endian loads, whatever the machine.
std::uint64_t read64(const unsigned char *p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap64(v);
    return v;
}
std::uint32_t read32(const unsigned char *p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    return v;
}

std::uint64_t mix(std::uint64_t acc, std::uint64_t input) {
    return rotl(acc + input * kPrime2, 31) * kPrime1;
}

std::uint64_t mergeRound(std::uint64_t acc, std::uint64_t v) {
    return (acc ^ mix(0, v)) * kPrime1 + kPrime4;
}

} // namespace

std::uint64_t xxh64(std::string_view bytes, std::uint64_t seed) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const unsigned char *const end = p + bytes.size();
    std::uint64_t h;
    if (bytes.size() >= 32) {
        std::uint64_t v1 = seed + kPrime1 + kPrime2, v2 = seed + kPrime2, v3 = seed,
                      v4 = seed - kPrime1;
        for (; end - p >= 32; p += 32) {
            v1 = mix(v1, read64(p));
            v2 = mix(v2, read64(p + 8));
            v3 = mix(v3, read64(p + 16));
            v4 = mix(v4, read64(p + 24));
        }
        h = rotl(v1, 1) + rotl(v2, 7) + rotl(v3, 12) + rotl(v4, 18);
        h = mergeRound(mergeRound(mergeRound(mergeRound(h, v1), v2), v3), v4);
    } else {
        h = seed + kPrime5;
    }
    h += bytes.size();
    for (; end - p >= 8; p += 8)
        h = rotl(h ^ mix(0, read64(p)), 27) * kPrime1 + kPrime4;
    if (end - p >= 4) {
        h = rotl(h ^ std::uint64_t(read32(p)) * kPrime1, 23) * kPrime2 + kPrime3;
        p += 4;
    }
    for (; p < end; ++p)
        h = rotl(h ^ *p * kPrime5, 11) * kPrime1;
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    h *= kPrime3;
    h ^= h >> 32;
    return h;
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
