#pragma once
// One run of the segmenter over one text: the scan state and the steps of the scan. Built by
// PhraseDivider for each text; the rule passes see it as their PassContext.
//
// The text may come in pieces (write, then finish): a position is segmented once the text
// seen so far settles every answer there, that is once kMargin characters that are not blanks
// follow it. Only those characters and a few behind the scan are kept, so a text of any length,
// a single line of a gigabyte too, is segmented in little memory, with the same result as in
// one piece.
#include <string>
#include <string_view>

#include "langdata/lineends.h"
#include "segment/passcontext.h"
#include "segment/phrasedivider.h"

namespace yuedu::seg {

class Segmenter final : public PassContext {
public:
    Segmenter(const PhraseDivider &divider, const PhraseDivider::LineSink &sink);

    // Adds the next piece of the text and segments as far as it settles.
    void write(std::u16string_view piece);
    // The text is complete: segments the rest and hands out the last line (nothing for a text
    // that was empty).
    void finish();

    // PassContext. Positions are those of the scanned text: the ASCII blanks at both ends do
    // not count.
    int scanPos() const override { return static_cast<int>(m_scanPos); }
    int textLen() const override { return static_cast<int>(m_textLen); }
    std::u16string_view T(int i) const override;
    std::u16string_view text(int offset, int n) const override;
    void emit(int n) override { EmitWord(text(0, n)); }
    bool wordTaken() const override { return m_wordTaken; }
    int lookupTwoCharWord(std::u16string_view p) override;
    int lookupLongWord(std::u16string_view p) override;
    const Lexicon &lexicon() const override { return m_divider.m_lexicon; }

    // How far ahead of a position its answers may read, moves included, with room to spare;
    // and how far behind.
    static constexpr std::ptrdiff_t kMargin = 64;
    static constexpr std::ptrdiff_t kBehind = 8;

private:
    // Segments every position up to last.
    void scanTo(std::ptrdiff_t last);
    void SegmentAt();
    void EmitWord(std::u16string_view word);
    void TakeLongWord(int longMatchLen);
    void TakeShortWord();
    void flushLine();
    // The characters of positions from..to-1 (1-based), all of them held.
    std::u16string_view held(std::ptrdiff_t from, std::ptrdiff_t to) const {
        return std::u16string_view(m_held).substr(static_cast<std::size_t>(from - m_heldFrom),
                                                  static_cast<std::size_t>(to - from));
    }

    const PhraseDivider &m_divider;
    const SegDictionary &m_dictionary;
    const PhraseDivider::LineSink &m_sink;

    // Line ends reach the scan as CR LF, whatever the text has: the passes read a few characters
    // ahead, and what they find there must not depend on how the file ends its lines.
    CrlfLineEnds m_lineEnds;
    std::u16string m_crlf;
    std::u16string m_held;         // the text from position m_heldFrom on, as far as seen
    std::ptrdiff_t m_heldFrom = 1; // the position of m_held[0]
    std::ptrdiff_t m_textLen = 0;  // TextLen: the last character that is no blank, so far
    bool m_begun = false;          // a character other than a blank was seen
    bool m_any = false;            // anything at all was written

    std::ptrdiff_t m_scanPos = 1;    // ScanPos, 1-based
    std::ptrdiff_t m_prefetched = 1; // the dictionary slots of positions before it are asked for
    std::u16string m_outBuffer;      // OutBuffer: the words of the line being filled
    int m_lineWordCount = 0;         // LineWordCount
    bool m_wordTaken = false;        // WordTaken
};

} // namespace yuedu::seg
