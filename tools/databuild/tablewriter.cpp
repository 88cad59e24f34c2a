#include "databuild/tablewriter.h"

#include <fstream>

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

void writeFileAtomically(const std::filesystem::path &path, std::string_view bytes) {
    std::filesystem::path tmp = path;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw IoError(tmp.string(), "cannot be written");
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out)
            throw IoError(tmp.string(), "write error");
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec)
        throw IoError(path.string(), "cannot be replaced: " + ec.message());
}

} // namespace yuedu::databuild
