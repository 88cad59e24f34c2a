#pragma once
// One named input (a file, or standard input for "-") read and decoded a piece at a time, with
// the result readInputs gives for the whole: the same guess of the encoding (made on the first
// megabyte either way), the same characters and the same warnings, given once the input has
// been read to its end. A piece ends where the decoding cannot depend on what follows, so a
// text of any size, or a single line of a gigabyte, is read in about a megabyte of memory. An
// RTF file, or a Word, OpenDocument, EPUB, web page or PDF file, is read whole and comes as
// one piece.
#include <cstdint>
#include <fstream>
#include <string>

#include "langdata/textcodec.h"
#include "wordstats/wordlist.h"

namespace yuedu::cli {

class InputStream {
public:
    // Opens the input; throws IoError with the path and the reason. toTraditional: each piece
    // is converted from Simplified to Traditional Chinese (a piece ends at a line end where it
    // can, so that no phrase is parted), and the conversion is noted at the end. pieceBytes:
    // about how many bytes a piece is decoded from (the first piece reads 64 KB more, for the
    // guess of the encoding).
    static constexpr std::size_t kPieceBytes = std::size_t(1) << 20;
    InputStream(const std::string &name, TextEncoding encoding, bool toTraditional = false,
                std::size_t pieceBytes = kPieceBytes);

    // The next piece of the text into piece; false at the end.
    bool next(std::u16string &piece);

    // Where a piece of bytes in the encoding may end: the largest cut no further than the end
    // of bytes after which the decoding of what comes before and after cannot change (no
    // sequence broken, no CR LF parted, no byte-order mark at the start of the next piece);
    // 0 when there is none.
    static std::size_t safeCut(std::string_view bytes, TextEncoding encoding);

private:
    // Reads until bytes holds at least n bytes or the input ends.
    void fill(std::size_t n);
    void decodePiece(std::size_t cut, std::u16string &piece);
    // The encoding chosen and the first piece decoded, the start judged for binary; false
    // (nothing decoded) when the start has no place to part.
    bool firstPiece(std::u16string &piece);
    void decodeInto(std::string_view bytes, std::u16string &text, DecodedText &d) const;
    void warn() const;
    // Converts a piece (when asked) and counts for the notes; notes() gives them at the end.
    void convert(std::u16string &piece);
    // The cut moved back to just after the last line feed before it, when there is one.
    std::size_t lineCut(std::size_t cut) const;
    void notes() const;

    std::string m_name;
    TextEncoding m_asked;
    std::ifstream m_file;
    std::istream *m_in = nullptr;
    bool m_eof = false;
    bool m_started = false;
    bool m_done = false;
    std::string m_bytes; // read and not yet decoded

    DecodedText m_whole; // the encoding, the guess and the counts, as for the whole input
    bool m_nul = false;
    std::size_t m_controls = 0;
    std::size_t m_units = 0;

    std::size_t m_piece = kPieceBytes;
    bool m_toTraditional = false;
    bool m_simplified = false; // read as GB18030
    std::size_t m_outsideAsRead = 0, m_changed = 0, m_outsideAfter = 0;
};

struct Args;

// The words of the segmented texts the command names (standard input when none), counted
// together; each file is read a piece at a time and cut on its own, with the line ends it has
// (CR LF, LF or CR) giving the words they give in a document window.
wordstats::WordTally tallyInputWords(const Args &args);

} // namespace yuedu::cli
