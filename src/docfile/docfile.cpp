#include "docfile/docfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>

#include "common/errors.h"
#include "langdata/codepage950.h"

namespace yuedu::doc {

namespace fs = std::filesystem;

namespace {

bool startsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

[[noreturn]] void fail(const std::string &path, int error) {
    throw IoError(path, std::strerror(error));
}

// Writes all bytes to an open descriptor and flushes them to the disk; false with errno set.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return ::fsync(fd) == 0;
}

std::string readAll(const std::string &path, std::uintmax_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail(path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        fail(path, e);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        fail(path, EISDIR);
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        ::close(fd);
        throw IoError(path, "File too large");
    }
    std::string bytes;
    try {
        bytes.reserve(static_cast<std::size_t>(st.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                const int e = errno;
                ::close(fd);
                fail(path, e);
            }
            if (n == 0)
                break;
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    } catch (const std::bad_alloc &) {
        ::close(fd);
        fail(path, ENOMEM);
    }
    ::close(fd);
    return bytes;
}

} // namespace

DocumentFile readDocumentFile(const std::string &path, TextEncoding encoding,
                              std::uintmax_t maxBytes) {
    const std::string bytes = readAll(path, maxBytes);
    DocumentFile file;
    try {
        file.content = readDocument(bytes, path, encoding);
    } catch (const std::bad_alloc &) {
        fail(path, ENOMEM);
    }
    file.format.kind = file.content.kind;
    if (file.content.kind != DocumentKind::PlainText)
        return file;
    const TextEncoding e = file.content.encoding;
    file.format.encoding = e;
    switch (e) {
    case TextEncoding::Utf16LE:
        file.format.bom = startsWith(bytes, "\xFF\xFE");
        file.format.crlf = bytes.find(std::string_view("\r\0\n\0", 4)) != std::string::npos;
        break;
    case TextEncoding::Utf16BE:
        file.format.bom = startsWith(bytes, "\xFE\xFF");
        file.format.crlf = bytes.find(std::string_view("\0\r\0\n", 4)) != std::string::npos;
        break;
    case TextEncoding::Utf8:
        file.format.bom = startsWith(bytes, "\xEF\xBB\xBF");
        file.format.crlf = bytes.find("\r\n") != std::string::npos;
        break;
    case TextEncoding::Utf32LE:
        file.format.bom = startsWith(bytes, std::string_view("\xFF\xFE\0\0", 4));
        file.format.crlf = bytes.find(std::string_view("\r\0\0\0\n\0\0\0", 8)) != std::string::npos;
        break;
    case TextEncoding::Utf32BE:
        file.format.bom = startsWith(bytes, std::string_view("\0\0\xFE\xFF", 4));
        file.format.crlf = bytes.find(std::string_view("\0\0\0\r\0\0\0\n", 8)) != std::string::npos;
        break;
    default:
        file.format.crlf = bytes.find("\r\n") != std::string::npos;
    }
    return file;
}

std::size_t characterCount(std::u16string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        ++n;
        if (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            ++i;
    }
    return n;
}

std::string encodePlainText(std::u16string_view source, const FileFormat &format,
                            std::size_t *unmapped) {
    std::u16string text;
    text.reserve(source.size() + (format.crlf ? source.size() / 16 : 0));
    for (char16_t c : source) {
        if (c == u'\n' && format.crlf)
            text += u'\r';
        text += c;
    }
    std::size_t missing = 0;
    std::string bytes;
    switch (format.encoding) {
    case TextEncoding::Big5:
    case TextEncoding::Auto: {
        // The code page has no characters beyond the BMP: a pair is one missing character,
        // which the encoder counts as two.
        std::size_t pairs = 0;
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
            if (text[i] >= 0xD800 && text[i] < 0xDC00 && text[i + 1] >= 0xDC00 &&
                text[i + 1] < 0xE000) {
                ++pairs;
                ++i;
            }
        bytes = CodePage950::instance().encode(text, &missing);
        missing -= std::min(missing, pairs);
        missing -= std::min<std::size_t>(missing, std::count(text.begin(), text.end(), u'\uFFFD'));
        break;
    }
    case TextEncoding::Utf8:
        if (format.bom)
            bytes = "\xEF\xBB\xBF";
        bytes += toUtf8(text);
        break;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool little = format.encoding == TextEncoding::Utf16LE;
        bytes.reserve(2 * text.size() + 2);
        auto unit = [&bytes, little](char16_t c) {
            const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
            bytes += little ? lo : hi;
            bytes += little ? hi : lo;
        };
        if (format.bom)
            unit(u'\uFEFF');
        for (char16_t c : text)
            unit(c);
        break;
    }
    case TextEncoding::Utf32LE:
    case TextEncoding::Utf32BE:
        if (format.bom)
            bytes = format.encoding == TextEncoding::Utf32LE ? std::string("\xFF\xFE\0\0", 4)
                                                             : std::string("\0\0\xFE\xFF", 4);
        bytes += encodeText(text, format.encoding, &missing);
        break;
    case TextEncoding::Gb18030:
        bytes = encodeText(text, format.encoding, &missing);
        break;
    }
    if (unmapped)
        *unmapped = missing;
    return bytes;
}

WriteOutcome writeFileSafely(const std::string &path, std::string_view bytes,
                             const std::string &backupDir) {
    const fs::path target(path);
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        fail(path, EISDIR);
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd >= 0) {
        // A new file gets the usual permissions, an old one keeps its own.
        mode_t mode = 0;
        if (exists) {
            mode = old.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        const bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes);
        const int e = errno;
        if (::close(fd) != 0 || !ok || ::rename(temp.c_str(), path.c_str()) != 0) {
            const int reason = ok ? errno : e;
            ::unlink(temp.c_str());
            fail(path, reason);
        }
        return {};
    }
    const int folderError = errno;
    // The folder takes no new file. A file that may be written is written where it is.
    if (!exists || (folderError != EACCES && folderError != EPERM && folderError != EROFS) ||
        ::access(path.c_str(), W_OK) != 0)
        fail(path, folderError);

    WriteOutcome outcome;
    outcome.inPlace = true;
    if (!backupDir.empty()) {
        std::error_code ec;
        fs::create_directories(backupDir, ec);
        const fs::path backup = fs::path(backupDir) / target.filename();
        if (!ec && fs::copy_file(target, backup, fs::copy_options::overwrite_existing, ec))
            outcome.backup = backup.string();
    }
    const int out = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (out < 0)
        fail(path, errno);
    const bool ok = writeAll(out, bytes);
    const int e = errno;
    if (::close(out) != 0 || !ok)
        fail(path, ok ? errno : e);
    return outcome;
}

} // namespace yuedu::doc
