#pragma once
// Reading of the UTF-8 text sources: one record a line, fields separated by tabs, blank lines
// and lines starting with '#' ignored. Errors name the file and the line.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace yuedu::databuild {

struct SourceLine {
    std::string path;
    std::size_t number = 0; // 1-based line number
    std::vector<std::u16string> fields;

    // Throws FormatError naming the file and this line.
    [[noreturn]] void fail(const std::string &reason) const;
    // The field as an integer in low..high; fails with the field's name otherwise.
    int integer(std::size_t field, int low, int high, const char *name) const;
};

// Reads a whole file (IoError when it cannot be read).
std::string readFileBytes(const std::filesystem::path &path);

// Calls handle for every record line of a UTF-8 source. Invalid UTF-8 is refused.
void forEachSourceLine(const std::filesystem::path &path,
                       const std::function<void(const SourceLine &)> &handle);

} // namespace yuedu::databuild
