#pragma once
// What a rule pass sees of the segmenter at the current scan position. Positions are those of
// the scanned text (ASCII blanks trimmed at both ends), 1-based; T(i) is the character i places
// after ScanPos (T(0) the current one, T(-1) the one before). A read outside 1..TextLen is the
// empty string.
#include <bitset>
#include <cstddef>
#include <string_view>

namespace yuedu::seg {

class Lexicon;

class PassContext {
public:
    virtual ~PassContext() = default;

    int scanPos() const { return static_cast<int>(m_scanPos); } // ScanPos
    int textLen() const { return static_cast<int>(m_textLen); } // TextLen

    // Tx as a string of one character, or empty outside the text.
    std::u16string_view T(int i) const { return text(i, 1); }
    // Up to n characters from ScanPos + offset, clipped to the text (empty when outside).
    std::u16string_view text(int offset, int n) const {
        std::ptrdiff_t from = m_scanPos + offset; // 1-based
        std::ptrdiff_t to = from + n;             // one past the last
        if (from < 1)
            from = 1;
        if (to > m_textLen + 1)
            to = m_textLen + 1;
        if (to <= from)
            return {};
        return std::u16string_view(m_chars + (from - m_charsFrom),
                                   static_cast<std::size_t>(to - from));
    }

    // Emits the n characters from ScanPos (fewer if the text ends) as one word (EmitWord),
    // moving ScanPos past it. n <= 0 emits nothing.
    virtual void emit(int n) = 0;
    virtual bool wordTaken() const = 0;

    // Dictionary lookups: TwoCharHit and LongMatchLen for the given string.
    virtual int lookupTwoCharWord(std::u16string_view p) = 0;
    virtual int lookupLongWord(std::u16string_view p) = 0;

    virtual const Lexicon &lexicon() const = 0;

protected:
    // The text as far as it is held: position p (1-based) is m_chars[p - m_charsFrom]. Every
    // position from 1 to TextLen that a pass may read (a few behind ScanPos, the rest ahead) is
    // held.
    const char16_t *m_chars = nullptr;
    std::ptrdiff_t m_charsFrom = 1;
    std::ptrdiff_t m_scanPos = 1; // ScanPos
    std::ptrdiff_t m_textLen = 0; // TextLen
};

// One rule pass, run by SegmentAt in its fixed order while no word has been taken.
class RulePass {
public:
    virtual ~RulePass() = default;
    virtual void run(PassContext &ctx) const = 0;
    // Adds to set every character T0 may be when the pass takes a word; at any other, run takes
    // nothing, so the scan need not ask. By default every character.
    virtual void firstChars(const Lexicon &, std::bitset<65536> &set) const { set.set(); }
    // Adds to next every character T1 may be when the pass takes a word, and to anyNext the
    // characters T0 at which any T1 may do: where T1 is in the text and is none of next, and
    // T0 none of anyNext, run takes nothing. By default every character.
    virtual void nextChars(const Lexicon &, std::bitset<65536> &next,
                           std::bitset<65536> & /*anyNext*/) const {
        next.set();
    }
    // True when run takes nothing where T0, T1 and T2 are three different characters: the scan
    // then need not ask.
    virtual bool onRepeatsOnly() const { return false; }
};

} // namespace yuedu::seg
