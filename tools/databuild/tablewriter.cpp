#include "databuild/tablewriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/errors.h"
#include "langdata/codepage950.h"
#include "langdata/textcodec.h"

namespace yuedu::databuild {

void putBE16(Bytes &table, std::size_t offset, std::uint32_t value) {
    table.at(offset) = static_cast<std::uint8_t>(value >> 8);
    table.at(offset + 1) = static_cast<std::uint8_t>(value);
}

void putBE24(Bytes &table, std::size_t offset, std::uint32_t value) {
    table.at(offset) = static_cast<std::uint8_t>(value >> 16);
    table.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
    table.at(offset + 2) = static_cast<std::uint8_t>(value);
}

std::uint16_t big5CodeStrict(char16_t c, const std::string &what) {
    std::uint16_t code = CodePage950::instance().code(c);
    if (code < 0x8000)
        throw FormatError(what, "the character '" + toUtf8(std::u16string(1, c)) +
                                    "' is not a Big5 double-byte character");
    return code;
}

std::string encodeBig5Strict(std::u16string_view text, const std::string &what) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        std::uint16_t code = big5CodeStrict(c, what);
        out.push_back(static_cast<char>(code >> 8));
        out.push_back(static_cast<char>(code & 0xFF));
    }
    return out;
}

namespace {

std::filesystem::path temporaryOf(const std::filesystem::path &path) {
    std::filesystem::path tmp = path;
    tmp += ".tmp";
    return tmp;
}

// Writes and closes the file; on failure removes what was written and throws.
void writeComplete(const std::filesystem::path &path, std::string_view bytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw IoError(path.string(), "is a folder");
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw IoError(path.string(), std::strerror(errno));
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
    const int error = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        std::filesystem::remove(path, ec);
        throw IoError(path.string(), std::strerror(written ? errno : error));
    }
}

void renameInto(const std::filesystem::path &tmp, const std::filesystem::path &path) {
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec)
        throw IoError(path.string(), "cannot be replaced: " + ec.message());
}

} // namespace

void writeFileAtomically(const std::filesystem::path &path, std::string_view bytes) {
    const std::filesystem::path tmp = temporaryOf(path);
    writeComplete(tmp, bytes);
    try {
        renameInto(tmp, path);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(tmp, ec);
        throw;
    }
}

StagedFiles::~StagedFiles() {
    std::error_code ec;
    for (const auto &path : m_targets)
        std::filesystem::remove(temporaryOf(path), ec);
}

void StagedFiles::add(const std::filesystem::path &path, std::string_view bytes) {
    writeComplete(temporaryOf(path), bytes);
    m_targets.push_back(path);
}

void StagedFiles::commit() {
    // Renames do not fail for want of space, so once every file is complete they all land.
    while (!m_targets.empty()) {
        renameInto(temporaryOf(m_targets.front()), m_targets.front());
        m_targets.erase(m_targets.begin());
    }
}

} // namespace yuedu::databuild
