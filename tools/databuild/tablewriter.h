#pragma once
// Shared pieces of the table writers: big-endian fields, strict Big5 encoding and file output.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "langdata/languagedata.h"

namespace yuedu::databuild {

void putBE16(Bytes &table, std::size_t offset, std::uint32_t value);
void putBE24(Bytes &table, std::size_t offset, std::uint32_t value);

// Big5 code of a character; throws FormatError naming `what` when it has no double-byte code.
std::uint16_t big5CodeStrict(char16_t c, const std::string &what);

// Code page 950 bytes of a text of hanzi; throws FormatError naming `what` on a character
// that is not double-byte Big5.
std::string encodeBig5Strict(std::u16string_view text, const std::string &what);

// Writes the bytes to path through a temporary file and a rename; the temporary file is
// removed when writing fails. Throws IoError naming the path and the reason.
void writeFileAtomically(const std::filesystem::path &path, std::string_view bytes);

// Output files that replace the old ones together: each is written to a temporary file beside
// its target, and only when every one is complete are they renamed into place. Until then (a
// full disk, an error in a later step) the old files stay as they were and the temporary
// files are removed.
class StagedFiles {
public:
    StagedFiles() = default;
    StagedFiles(const StagedFiles &) = delete;
    StagedFiles &operator=(const StagedFiles &) = delete;
    ~StagedFiles();

    // Writes the temporary file of path now. Throws IoError.
    void add(const std::filesystem::path &path, std::string_view bytes);
    // Renames every temporary file to its target. Throws IoError.
    void commit();

private:
    std::vector<std::filesystem::path> m_targets;
};

} // namespace yuedu::databuild
