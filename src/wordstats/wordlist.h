#pragma once
// The first stage of every word statistic: cutting segmented text into its pieces (words are
// separated by two blanks), sorting them, and walking the runs of equal words.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu::wordstats {

// The pieces of a text in the order found (0-based here; there is no unused slot 0).
using PieceList = std::vector<std::u16string>;

enum class PieceScan {
    Clean, // a line end (CR LF, LF or CR) ends a word as well; blanks are trimmed
    Raw,   // pieces are taken exactly as they stand between double blanks
};

// Appends the pieces of text to words and returns how many were added. A piece is what stands
// before each double blank, and in the clean variant also what stands before a line end when
// it is not empty (so the last word of a line segmented by hand counts), and what stands at the
// end of the text after the last separator. A piece starts only before the last character of
// the text trimmed of blanks. Empty pieces (four blanks in a row) count; a single blank does not
// separate.
std::size_t ScanPieces(std::u16string_view text, PieceScan variant, PieceList &words);

// The same scan handing each piece to found(start, piece) instead, start being where the piece
// (as trimmed) begins in text; returns how many pieces there were.
std::size_t ScanPieceSpans(std::u16string_view text, PieceScan variant,
                           const std::function<void(std::size_t, std::u16string_view)> &found);

// The text with every line feed that no carriage return precedes turned into CR LF. Segmented
// text read from a file edited with Unix line ends then gives the words it gives when it comes
// from a document window, whose lines always end in CR LF.
std::u16string crlfLineBreaks(std::u16string_view text);

// Sorts list[lo..hi] (inclusive) in place into ascending order of UTF-16 code units, the
// shorter of two strings first when one is a prefix of the other. hi < lo + 1 does nothing.
void SortWords(PieceList &list, std::size_t lo, std::size_t hi);

// Hands each run of equal words of a sorted list to close(word, length), in ascending order.
// An empty list has no runs.
void groupRuns(const PieceList &sorted,
               const std::function<void(const std::u16string &, std::int64_t)> &close);

} // namespace yuedu::wordstats
