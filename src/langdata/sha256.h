#pragma once
// SHA-256 (FIPS 180-4), for checking the data files against the manifest the builder writes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace yuedu {

class Sha256 {
public:
    // With hardware allowed, the processor's SHA instructions are used where it has them (a
    // few times faster: the data files are checked at every start).
    explicit Sha256(bool allowHardware = true);
    void update(std::string_view bytes);
    std::array<std::uint8_t, 32> digest();
    // The digest in lower-case hexadecimal.
    std::string hex();

private:
    void blocks(const std::uint8_t *p, std::size_t n);
    std::array<std::uint32_t, 8> m_state;
    bool m_hardware = false;
    std::array<std::uint8_t, 64> m_buffer{};
    std::size_t m_buffered = 0;
    std::uint64_t m_length = 0;
};

// The digest of bytes in lower-case hexadecimal.
std::string sha256Hex(std::string_view bytes);

} // namespace yuedu
