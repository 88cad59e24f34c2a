#include "databuild/textsource.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>

#include "common/errors.h"
#include "langdata/textcodec.h"

namespace yuedu::databuild {

void SourceLine::fail(const std::string &reason) const {
    throw FormatError(path, reason, static_cast<std::int64_t>(number));
}

int SourceLine::integer(std::size_t field, int low, int high, const char *name) const {
    if (field >= fields.size())
        fail(std::string("the ") + name + " is missing");
    const std::string text = toUtf8(fields[field]);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        fail(std::string("the ") + name + " '" + text + "' is not a number");
    if (value < low || value > high)
        fail(std::string("the ") + name + " " + text + " is outside " + std::to_string(low) + ".." +
             std::to_string(high));
    return value;
}

std::string readFileBytes(const std::filesystem::path &path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw IoError(path.string(), "is a folder, not a file");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw IoError(path.string(), errno ? std::strerror(errno) : "cannot be opened");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw IoError(path.string(), errno ? std::strerror(errno) : "read error");
    return bytes;
}

void forEachSourceLine(const std::filesystem::path &path,
                       const std::function<void(const SourceLine &)> &handle) {
    std::string bytes = readFileBytes(path);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    if (!isValidUtf8(bytes))
        throw FormatError(path.string(), "the file is not UTF-8 text");
    SourceLine line;
    line.path = path.string();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view text(bytes.data() + pos, end - pos);
        pos = end + 1;
        ++line.number;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        std::size_t first = text.find_first_not_of(" \t");
        if (first == std::string_view::npos || text[first] == '#')
            continue;
        line.fields.clear();
        std::size_t start = 0;
        while (true) {
            std::size_t tab = text.find('\t', start);
            std::string_view field = text.substr(
                start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
            while (!field.empty() && field.front() == ' ')
                field.remove_prefix(1);
            while (!field.empty() && field.back() == ' ')
                field.remove_suffix(1);
            line.fields.push_back(fromUtf8(field));
            if (tab == std::string_view::npos)
                break;
            start = tab + 1;
        }
        handle(line);
    }
}

} // namespace yuedu::databuild
