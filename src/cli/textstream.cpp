#include "cli/textstream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/command.h"
#include "common/errors.h"
#include "docfile/documentformats.h"
#include "docfile/rtfreader.h"
#include "langdata/scriptconvert.h"

namespace yuedu::cli {
namespace {

// The first piece reads this much more than the others: with pieces of the usual size it
// covers the sample the encoding is guessed from.
constexpr std::size_t kFirstMore = std::size_t(1) << 16;

} // namespace

InputStream::InputStream(const std::string &name, TextEncoding encoding, bool toTraditional,
                         std::size_t pieceBytes)
    : m_name(name), m_asked(encoding), m_piece(std::max<std::size_t>(pieceBytes, 1)),
      m_toTraditional(toTraditional) {
    if (name == "-") {
        m_in = &std::cin;
        return;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(name, ec))
        throw IoError(name, "is a folder, not a text file");
    errno = 0;
    m_file.open(name, std::ios::binary);
    if (!m_file)
        throw IoError(name, errno ? std::strerror(errno) : "cannot be opened");
    m_in = &m_file;
}

void InputStream::fill(std::size_t n) {
    // Read in blocks and appended, so a short input costs no large buffer. The buffer is sized
    // once for the most a piece asks for, so that it never moves and its memory serves every
    // piece (what a short input leaves unread is never touched).
    if (n > m_bytes.capacity() && n != SIZE_MAX)
        m_bytes.reserve(std::max(n, m_piece + kFirstMore));
    char block[1 << 16];
    while (!m_eof && m_bytes.size() < n) {
        const std::size_t want = std::min(sizeof block, n - m_bytes.size());
        const auto got = m_in->rdbuf()->sgetn(block, static_cast<std::streamsize>(want));
        if (got > 0)
            m_bytes.append(block, static_cast<std::size_t>(got));
        if (got < static_cast<std::streamsize>(want)) {
            m_eof = true;
            if (m_in->bad())
                throw IoError(m_name == "-" ? "standard input" : m_name,
                              errno ? std::strerror(errno) : "read error");
        }
    }
}

std::size_t InputStream::safeCut(std::string_view bytes, TextEncoding encoding) {
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t size = bytes.size();
    switch (encoding) {
    case TextEncoding::Big5:
        // A byte below 0x40 is never the second byte of a pair.
        for (std::size_t p = size; p > 0; --p)
            if (b[p - 1] < 0x40 && b[p - 1] != '\r')
                return p;
        return 0;
    case TextEncoding::Gb18030:
        // Every byte of a GB18030 sequence after the first is 0x30 or above.
        for (std::size_t p = size; p > 0; --p)
            if (b[p - 1] < 0x30 && b[p - 1] != '\r')
                return p;
        return 0;
    case TextEncoding::Utf32LE:
    case TextEncoding::Utf32BE: {
        const bool le = encoding == TextEncoding::Utf32LE;
        for (std::size_t p = size & ~std::size_t(3); p >= 8; p -= 4) {
            if (p + 4 > size)
                continue;
            const unsigned char *prev = b + p - 4, *next = b + p;
            const bool prevCr = le ? (prev[0] == '\r' && !prev[1] && !prev[2] && !prev[3])
                                   : (prev[3] == '\r' && !prev[0] && !prev[1] && !prev[2]);
            const bool nextMark = le ? (next[0] == 0xFF && next[1] == 0xFE && !next[2] && !next[3])
                                     : (!next[0] && !next[1] && next[2] == 0xFE && next[3] == 0xFF);
            if (!prevCr && !nextMark)
                return p;
        }
        return 0;
    }
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool le = encoding == TextEncoding::Utf16LE;
        const auto unit = [&](std::size_t i) {
            return static_cast<char16_t>(le ? b[i] | b[i + 1] << 8 : b[i] << 8 | b[i + 1]);
        };
        for (std::size_t p = (size & ~std::size_t(1)); p >= 4; p -= 2) {
            if (p + 2 > size)
                continue;
            const char16_t next = unit(p);
            if ((next < 0xDC00 || next > 0xDFFF) && next != 0xFEFF && unit(p - 2) != u'\r')
                return p;
        }
        return 0;
    }
    default:
        // UTF-8: before any byte that does not continue a sequence.
        for (std::size_t p = size >= 3 ? size - 3 : 0; p > 0; --p)
            if ((b[p] & 0xC0) != 0x80 && b[p - 1] != '\r' &&
                !(b[p] == 0xEF && b[p + 1] == 0xBB && b[p + 2] == 0xBF))
                return p;
        return 0;
    }
}

void InputStream::convert(std::u16string &piece) {
    if (m_simplified)
        m_outsideAsRead += hanziOutsideBig5(piece);
    if (m_toTraditional) {
        ScriptConversion c = toTraditional(piece);
        piece = std::move(c.text);
        m_changed += c.changed;
        m_outsideAfter += hanziOutsideBig5(piece);
    }
}

std::size_t InputStream::lineCut(std::size_t cut) const {
    const TextEncoding e = m_whole.encoding;
    const std::size_t unit = e == TextEncoding::Utf16LE || e == TextEncoding::Utf16BE   ? 2
                             : e == TextEncoding::Utf32LE || e == TextEncoding::Utf32BE ? 4
                                                                                        : 1;
    const bool big = e == TextEncoding::Utf16BE || e == TextEncoding::Utf32BE;
    for (std::size_t p = cut - cut % unit; p >= unit; p -= unit) {
        const char *u = m_bytes.data() + p - unit;
        bool lineFeed = u[big ? unit - 1 : 0] == '\n';
        for (std::size_t k = 0; lineFeed && k + 1 < unit; ++k)
            lineFeed = u[big ? k : k + 1] == '\0';
        if (!lineFeed)
            continue;
        // A piece must not start with what reads as a byte-order mark.
        const std::string_view rest(m_bytes.data() + p, m_bytes.size() - p);
        if (rest.starts_with("\xEF\xBB\xBF") || rest.starts_with("\xFF\xFE") ||
            rest.starts_with("\xFE\xFF") || rest.starts_with(std::string_view("\0\0\xFE\xFF", 4)))
            return cut;
        return p;
    }
    return cut;
}

void InputStream::notes() const {
    for (const ScriptNote &note :
         scriptNotes(m_simplified, m_toTraditional, m_outsideAsRead, m_changed, m_outsideAfter))
        std::cerr << "yuedu-cli: " << (note.warning ? "warning: " : "note: ") << m_name << ": "
                  << note.text << "\n";
}

void InputStream::decodeInto(std::string_view bytes, std::u16string &text, DecodedText &d) const {
    // The memory of text is used again: a piece is decoded in place of the one before.
    d.text.swap(text);
    decodeTextInto(bytes, m_whole.encoding, false, d);
    text.swap(d.text);
}

void InputStream::decodePiece(std::size_t cut, std::u16string &piece) {
    const std::string_view bytes(m_bytes.data(), cut);
    DecodedText d;
    decodeInto(bytes, piece, d);
    m_nul =
        m_nul || (!isWideEncoding(m_whole.encoding) && bytes.find('\0') != std::string_view::npos);
    m_whole.replaced += d.replaced;
    m_controls += d.controls;
    m_units += piece.size();
    m_bytes.erase(0, cut);
}

bool InputStream::firstPiece(std::u16string &piece) {
    const EncodingChoice choice = chooseEncoding(m_bytes, m_asked);
    m_whole.encoding = choice.encoding;
    m_whole.ambiguous = choice.ambiguous;
    const std::size_t cut = safeCut(m_bytes, m_whole.encoding);
    if (cut == 0)
        return false;
    // The start is judged as readInputs judges a whole text: the piece and the rest of what is
    // read, decoded apart at a place where the decoding cannot change, add up to it.
    DecodedText rest;
    std::u16string restText;
    decodeInto(std::string_view(m_bytes).substr(cut), restText, rest);
    decodePiece(cut, piece);
    const std::size_t bad = m_whole.replaced + rest.replaced + m_controls + rest.controls;
    m_whole.binary = m_nul || (!isWideEncoding(m_whole.encoding) && rest.binary) ||
                     (m_asked == TextEncoding::Auto && bad * 4 > m_units + restText.size());
    refuseBinary(m_name, m_whole, m_asked);
    return true;
}

bool InputStream::next(std::u16string &piece) {
    piece.clear();
    if (m_done)
        return false;
    if (!m_started) {
        m_started = true;
        fill(m_piece + kFirstMore);
        // Word, OpenDocument, EPUB, web pages and PDF are read whole, as readInputs reads them.
        if (doc::mayBeFormattedText(m_bytes, m_name)) {
            fill(SIZE_MAX);
            if (std::optional<doc::FormattedText> f = doc::readFormattedText(m_bytes, m_name)) {
                for (const auto &note : f->text.notes)
                    std::cerr << "yuedu-cli: note: " << m_name << ": " << note << "\n";
                piece = std::move(f->text.text);
                convert(piece);
                notes();
                m_done = true;
                return true;
            }
        }
        if (doc::looksLikeRtf(m_bytes)) {
            fill(SIZE_MAX);
            doc::RtfReadResult rtf = doc::readRtf(m_bytes, m_name);
            if (rtf.truncated)
                std::cerr << "yuedu-cli: warning: " << m_name
                          << ": the RTF file ends early; its text is read up to there\n";
            piece = rtf.document.plainText();
            convert(piece);
            notes();
            m_done = true;
            return true;
        }
        // A larger input has its encoding chosen on the start, and the start decoded once, as
        // the first piece.
        if (!m_eof && !m_toTraditional && firstPiece(piece)) {
            m_simplified = isSimplifiedEncoding(m_whole.encoding);
            convert(piece);
            return true;
        }
        m_whole = decodeTextDetailed(m_bytes, m_asked);
        refuseBinary(m_name, m_whole, m_asked);
        m_simplified = isSimplifiedEncoding(m_whole.encoding);
        if (m_eof) {
            // All of it at once, exactly as readInputs reads it.
            piece = std::move(m_whole.text);
            warnAboutDecoding(m_name, m_whole);
            convert(piece);
            notes();
            m_done = true;
            return true;
        }
        m_whole.text.clear();
        m_whole.replaced = 0;
    }
    for (;;) {
        fill(m_bytes.size() < m_piece ? m_piece : m_bytes.size() + m_piece);
        std::size_t cut = m_eof ? m_bytes.size() : safeCut(m_bytes, m_whole.encoding);
        if (cut == 0 && !m_eof)
            continue; // no place to part yet: read further
        if (m_toTraditional && !m_eof)
            cut = lineCut(cut);
        decodePiece(cut, piece);
        convert(piece);
        if (m_eof && m_bytes.empty()) {
            m_done = true;
            m_whole.binary = m_nul || (m_asked == TextEncoding::Auto &&
                                       (m_whole.replaced + m_controls) * 4 > m_units);
            warnAboutDecoding(m_name, m_whole);
            notes();
        }
        return true;
    }
}

wordstats::WordTally tallyInputWords(const Args &args) {
    const TextEncoding encoding = encodingOption(args);
    std::vector<std::string> names = args.positional;
    if (names.empty())
        names.push_back("-");
    wordstats::WordTally tally;
    std::u16string piece;
    for (const auto &name : names) {
        InputStream input(name, encoding, toTraditionalOption(args));
        wordstats::PieceStream words(tally, true);
        while (input.next(piece))
            words.write(piece);
        words.finish();
    }
    return tally;
}

} // namespace yuedu::cli
