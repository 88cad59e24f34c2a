#pragma once
// A zip container held in memory (the .docx, .odt and .epub formats are zip files), read with
// libzip. Parts are unpacked under caps: a part may not unpack to more than kMaxPartBytes, nor
// to more than kMaxRatio times its packed size once it is past kRatioFloorBytes, and all parts
// read from one container together to no more than kMaxTotalBytes; a container that breaks
// one of them is refused as a likely zip bomb. Encrypted parts, damaged entries and checksum
// errors are FormatErrors naming the container's path.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu::doc {

class ZipContainer {
public:
    static constexpr std::size_t kMaxPartBytes = 256u << 20;
    static constexpr std::size_t kMaxTotalBytes = 768u << 20;
    static constexpr std::size_t kMaxRatio = 200;
    static constexpr std::size_t kRatioFloorBytes = 4u << 20;

    // The bytes must outlive the container. Throws FormatError when they are not a zip file
    // or its directory is damaged.
    ZipContainer(std::string_view bytes, std::string source);
    ~ZipContainer();
    ZipContainer(const ZipContainer &) = delete;
    ZipContainer &operator=(const ZipContainer &) = delete;

    // True when the bytes start as a zip file does.
    static bool looksLikeZip(std::string_view bytes);

    const std::vector<std::string> &names() const { return m_names; }
    // The name as stored, found exactly or else ignoring case; nullopt when absent.
    std::optional<std::string> find(std::string_view name) const;
    bool has(std::string_view name) const { return find(name).has_value(); }
    // The unpacked bytes of a part. Throws FormatError when it is missing, encrypted, damaged
    // or over the caps.
    std::string read(std::string_view name);
    // The bytes of a part that may be absent.
    std::optional<std::string> readIfPresent(std::string_view name);

    const std::string &source() const { return m_source; }

private:
    struct Handle;
    std::unique_ptr<Handle> m_zip;
    std::string m_source;
    std::vector<std::string> m_names;
    std::size_t m_total = 0;
};

} // namespace yuedu::doc
