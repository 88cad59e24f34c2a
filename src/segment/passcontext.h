#pragma once
// What a rule pass sees of the segmenter at the current scan position. Positions are those of
// the scanned text (ASCII blanks trimmed at both ends), 1-based; T(i) is the character i places
// after ScanPos (T(0) the current one, T(-1) the one before). A read outside 1..TextLen is the
// empty string.
#include <bitset>
#include <string_view>

namespace yuedu::seg {

class Lexicon;

class PassContext {
public:
    virtual ~PassContext() = default;

    virtual int scanPos() const = 0; // ScanPos
    virtual int textLen() const = 0; // TextLen

    // Tx as a string of one character, or empty outside the text.
    virtual std::u16string_view T(int i) const = 0;
    // Up to n characters from ScanPos + offset, clipped to the text (empty when outside).
    virtual std::u16string_view text(int offset, int n) const = 0;

    // Emits the n characters from ScanPos (fewer if the text ends) as one word (EmitWord),
    // moving ScanPos past it. n <= 0 emits nothing.
    virtual void emit(int n) = 0;
    virtual bool wordTaken() const = 0;

    // Dictionary lookups: TwoCharHit and LongMatchLen for the given string.
    virtual int lookupTwoCharWord(std::u16string_view p) = 0;
    virtual int lookupLongWord(std::u16string_view p) = 0;

    virtual const Lexicon &lexicon() const = 0;
};

// One rule pass, run by SegmentAt in its fixed order while no word has been taken.
class RulePass {
public:
    virtual ~RulePass() = default;
    virtual void run(PassContext &ctx) const = 0;
    // Adds to set every character T0 may be when the pass takes a word; at any other, run takes
    // nothing, so the scan need not ask. By default every character.
    virtual void firstChars(const Lexicon &, std::bitset<65536> &set) const { set.set(); }
};

} // namespace yuedu::seg
