#pragma once
// The first stage of every word statistic: cutting segmented text into its pieces (words are
// separated by two blanks) and counting the distinct ones.
#include <array>
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

// The distinct words of a text with how often each occurs, every word kept once however often
// it occurs: a flat hash table over one buffer of characters.
class WordTally {
public:
    struct Entry {
        std::u16string_view word;
        std::int64_t count = 0;
    };

    WordTally();
    // Counts n more occurrences of word.
    void add(std::u16string_view word, std::int64_t n = 1);
    // Occurrences of all words together (the empty piece too) and distinct words.
    std::int64_t total() const { return m_total; }
    std::size_t distinct() const {
        settle();
        return m_used;
    }
    // The distinct words in ascending order of UTF-16 code units (the shorter first when one
    // is a prefix of the other), with their counts; the views hold while the tally is unchanged.
    std::vector<Entry> sorted() const;

private:
    // A word of up to four units is its own key (its units packed); a longer one is found by
    // its hash and compared in m_chars, where every distinct word is kept.
    static constexpr std::size_t kPacked = 4;
    struct Slot {
        std::uint64_t key = 0;
        std::uint64_t offset = 0; // in m_chars
        std::uint32_t length = 0;
        bool used = false;
        std::int64_t count = 0;
    };
    // A short word waiting for its slot, which was asked of the memory ahead: the slots of a
    // large tally lie far apart, and waiting for each in turn is most of the time counting takes.
    struct Waiting {
        std::uint64_t key;
        std::uint32_t length;
        std::int64_t count;
    };
    static constexpr std::size_t kWaiting = 16;

    void grow() const;
    void place(std::uint64_t key, std::uint32_t length, std::u16string_view word,
               std::int64_t n) const;
    // Places the words still waiting; every reading of the tally does this first.
    void settle() const;
    std::u16string_view wordOf(const Slot &slot) const {
        return std::u16string_view(m_chars).substr(slot.offset, slot.length);
    }

    // Mutable for settle: what waits is counted already, only not yet in its slot.
    mutable std::vector<Slot> m_slots;
    mutable std::u16string m_chars;
    mutable std::size_t m_used = 0;
    mutable std::array<Waiting, kWaiting> m_waiting{};
    mutable std::size_t m_waitingCount = 0;
    mutable std::size_t m_waitingNext = 0; // the oldest
    std::int64_t m_total = 0;
};

// The clean piece scan of a text that comes in blocks of any size: tally counts exactly the
// pieces ScanPieces(text, PieceScan::Clean) finds in the whole text (with lfAsCrlf, in
// crlfLineBreaks(text)), and only what has not been cut yet is held.
class PieceStream {
public:
    PieceStream(WordTally &tally, bool lfAsCrlf);
    void write(std::u16string_view block);
    // The text is complete.
    void finish();

private:
    struct Pending {
        std::uint64_t segment; // where the piece's stretch between double blanks starts
        std::size_t offset;    // in m_pendingChars
        std::size_t length;
    };
    void scan(bool atEnd);
    void piece(std::size_t from, std::size_t to, bool evenEmpty);
    void confirm();
    bool counts(std::uint64_t segment) const;

    WordTally &m_tally;
    bool m_lfAsCrlf;
    bool m_lastWasCr = false;
    std::u16string m_buffer; // not yet cut; m_buffer[0] stands at m_base in the whole text
    std::uint64_t m_base = 0;
    std::size_t m_resume = 0;    // how much of m_buffer was looked through already
    std::uint64_t m_segment = 0; // start of the current stretch between double blanks
    bool m_blanksOnly = true;    // no character but blanks so far
    std::uint64_t m_lastSolid = 0;
    std::vector<Pending> m_pending;
    std::u16string m_pendingChars;
};

// The pieces of a list counted.
WordTally tallyOf(const PieceList &words);

} // namespace yuedu::wordstats
