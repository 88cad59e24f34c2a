#include "docfile/inputtext.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include "common/errors.h"
#include "docfile/documentformats.h"
#include "docfile/rtfreader.h"

namespace yuedu::doc {

std::string readInputBytes(const std::string &name) {
    std::string bytes;
    if (name == "-") {
        // One read of the whole input rather than a character at a time.
        std::ostringstream content;
        content << std::cin.rdbuf();
        bytes = std::move(content).str();
        if (std::cin.bad())
            throw IoError("standard input", std::strerror(errno));
        return bytes;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(name, ec))
        throw IoError(name, "is a folder, not a text file");
    errno = 0;
    std::ifstream in(name, std::ios::binary);
    if (!in)
        throw IoError(name, errno ? std::strerror(errno) : "cannot be opened");
    // One read of the whole file into a buffer of its size (a file that grows meanwhile is read
    // to its end all the same).
    const std::uintmax_t size = std::filesystem::file_size(name, ec);
    if (!ec)
        bytes.resize(static_cast<std::size_t>(size));
    bytes.resize(static_cast<std::size_t>(
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())).gcount()));
    if (in) {
        std::ostringstream rest;
        rest << in.rdbuf();
        bytes += std::move(rest).str();
    }
    if (in.bad())
        throw IoError(name, errno ? std::strerror(errno) : "read error");
    return bytes;
}

std::string decodingWarning(const std::string &name, const DecodedText &decoded) {
    if (decoded.binary)
        return name + ": does not look like a text file";
    if (decoded.replaced == 0 && !decoded.ambiguous)
        return {};
    std::string out = name + ": read as " + std::string(encodingName(decoded.encoding));
    if (decoded.replaced > 0)
        out += "; " + std::to_string(decoded.replaced) +
               " invalid byte sequences were replaced with U+FFFD";
    if (decoded.ambiguous)
        out += "; the encoding is a guess (choose one with --encoding)";
    return out;
}

InputText readInputText(const std::string &name, TextEncoding encoding) {
    InputText input{name, {}, {}};
    const std::string bytes = readInputBytes(name);
    // Word, OpenDocument, EPUB, web pages and PDF, by content; what was left out is said.
    if (std::optional<FormattedText> f = readFormattedText(bytes, name)) {
        for (const auto &note : f->text.notes)
            input.notices.push_back({InputNotice::Kind::Note, name + ": " + note});
        input.text = std::move(f->text.text);
        return input;
    }
    if (looksLikeRtf(bytes)) {
        RtfReadResult rtf = readRtf(bytes, name);
        if (rtf.truncated)
            input.notices.push_back(
                {InputNotice::Kind::Warning,
                 name + ": the RTF file ends early; its text is read up to there"});
        input.text = rtf.document.plainText();
        return input;
    }
    DecodedText decoded = decodeTextDetailed(bytes, encoding);
    refuseBinary(name, decoded, encoding);
    if (std::string warning = decodingWarning(name, decoded); !warning.empty())
        input.notices.push_back({InputNotice::Kind::Warning, std::move(warning)});
    input.text = std::move(decoded.text);
    return input;
}

void refuseBinary(const std::string &name, const DecodedText &decoded, TextEncoding asked) {
    if (decoded.binary && asked == TextEncoding::Auto)
        throw IoError(name, "does not look like a text file (it holds zero bytes or bytes that "
                            "no encoding reads as text) and is no format Yuedu reads; "
                            "--encoding reads it as text all the same");
}

} // namespace yuedu::doc
