#pragma once
// Typed errors of the core. Analyses never throw on odd text; these are for files and formats.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace yuedu {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file could not be opened, read or written. what() names the path and the reason.
class IoError : public Error {
public:
    IoError(std::string path, const std::string &reason)
        : Error(path + ": " + reason), m_path(std::move(path)) {}
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

// The content of a file or a source does not have the expected form.
class FormatError : public Error {
public:
    FormatError(std::string path, const std::string &reason, std::int64_t where = -1)
        : Error(path + (where >= 0 ? ":" + std::to_string(where) : std::string()) + ": " + reason),
          m_path(std::move(path)), m_where(where) {}
    const std::string &path() const { return m_path; }
    // Line (text sources) or byte offset (binary files); -1 when unknown.
    std::int64_t where() const { return m_where; }

private:
    std::string m_path;
    std::int64_t m_where;
};

} // namespace yuedu
