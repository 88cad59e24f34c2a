#pragma once
// XXH64, a fast 64-bit check sum: the manifest the builder writes holds it beside the SHA-256
// of each data file, so that the files are checked at every start in a fraction of the time.
#include <cstdint>
#include <string>
#include <string_view>

namespace yuedu {

std::uint64_t xxh64(std::string_view bytes, std::uint64_t seed = 0);
// The check sum as 16 lower-case hexadecimal digits.
std::string xxh64Hex(std::string_view bytes);

} // namespace yuedu
