#pragma once
// Sizes and offsets of the three data files. The files are raw concatenations of these tables,
// with no header; multi-byte numbers are big-endian.
#include <cstddef>
#include <cstdint>

namespace yuedu::layout {

// gdphvbdn.byt: vocabulary grade lists 1..5 (Big5 text).
inline constexpr std::size_t kGradeListSizes[5] = {6810, 58380, 25018, 10071, 6000};
inline constexpr std::size_t kGradeFileSize = 106279;

// dpphvbdn.byt: segmentation dictionary.
inline constexpr std::size_t kSegIndexSize = 130600;
inline constexpr std::size_t kSegWordSize = 207388;
inline constexpr std::size_t kSegAuxSize = 408242;
inline constexpr std::size_t kSegFileSize = 746230;
inline constexpr std::size_t kSegAuxBlock = 65300; // second index block (into SegAuxTable)

// phwdvbdn.byt: sense classes and character attributes.
inline constexpr std::size_t kSenseIndexSize = 222020;
inline constexpr std::size_t kSenseWordSize = 272154;
inline constexpr std::size_t kCharRecordSize = 52240;
inline constexpr std::size_t kCharDetailSize = 306578;
inline constexpr std::size_t kSenseFileSize = 852992;
inline constexpr std::size_t kSenseBlock2 = 26120;     // two-character words
inline constexpr std::size_t kSenseBlock3 = 91420;     // three-character words
inline constexpr std::size_t kSenseBlock4 = 156720;    // four-character words
inline constexpr std::size_t kDetailIndexSize = 26122; // 13061 two-byte record numbers
inline constexpr std::size_t kDetailRecordSize = 44;
inline constexpr std::size_t kDetailRecords = 6374;

inline constexpr std::uint32_t be16(const std::uint8_t *p) {
    return (p[0] << 8) | p[1];
}
inline constexpr std::uint32_t be24(const std::uint8_t *p) {
    return (p[0] << 16) | (p[1] << 8) | p[2];
}

} // namespace yuedu::layout
