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
#include "segment/segdictionary.h"

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
    // m_held changed: the passes read it anew.
    void heldMoved() {
        m_chars = m_held.data();
        m_charsFrom = m_heldFrom;
    }
    // The dictionary's answers at pos (SegDictionary::finishProbe), kNoAnswers when fewer than
    // four characters from pos are in the text.
    static constexpr std::uint8_t kNoAnswers = 0xFF;
    std::uint8_t answersAt(std::ptrdiff_t pos) {
        if (pos + 3 > m_textLen)
            return kNoAnswers;
        Ahead &a = m_probes[pos & (kProbes - 1)];
        const char16_t *p = m_chars + (pos - m_charsFrom);
        if (a.pos != pos) {
            // A word took the scan past the probes started so far.
            m_dictionary.startProbe(p, a.probe);
            a.pos = pos;
            a.answers = kNoAnswers;
        }
        if (a.answers == kNoAnswers)
            a.answers = m_dictionary.finishProbe(p, a.probe);
        return a.answers;
    }
    // Whether characters 2 and 3 from pos are in the group of longer words of the first
    // (LookupLongWord of three characters), pos + 3 <= TextLen: the one answer asked of the
    // position after a word of two characters.
    bool pairAt(std::ptrdiff_t pos) {
        Ahead &a = m_probes[pos & (kProbes - 1)];
        const char16_t *p = m_chars + (pos - m_charsFrom);
        if (a.pos != pos)
            return m_dictionary.LookupLongWord(std::u16string_view(p, 3)) != 0;
        if (a.answers != kNoAnswers)
            return (a.answers & SegDictionary::kPair) != 0;
        return m_dictionary.finishPair(p, a.probe);
    }

    const PhraseDivider &m_divider;
    const SegDictionary &m_dictionary;
    const PhraseDivider::LineSink &m_sink;
    // The divider's rule passes, and per character which of them may take a word there.
    const RulePass *m_passes[8] = {};
    const std::uint16_t *m_passesAt;
    const std::uint8_t *m_passesBefore;
    const std::uint8_t m_onRepeatsOnly;

    // Line ends reach the scan as CR LF, whatever the text has: the passes read a few characters
    // ahead, and what they find there must not depend on how the file ends its lines.
    CrlfLineEnds m_lineEnds;
    std::u16string m_held;         // the text from position m_heldFrom on, as far as seen
    std::ptrdiff_t m_heldFrom = 1; // the position of m_held[0]
    bool m_begun = false;          // a character other than a blank was seen
    bool m_any = false;            // anything at all was written

    // The dictionary probes of the positions ahead of the scan, started before they are read:
    // the probe of position p is m_probes[p % kProbes], for the positions from the scan on
    // before m_probed.
    static constexpr std::ptrdiff_t kProbes = 32;
    struct Ahead {
        SegDictionary::Probe probe;
        std::ptrdiff_t pos = 0;   // the position, 0 for none
        std::uint8_t answers = 0; // kNoAnswers until read
    };
    Ahead m_probes[kProbes];
    std::ptrdiff_t m_probed = 1;
    std::u16string m_outBuffer; // OutBuffer: the words of the line being filled, with room
    std::size_t m_outSize = 0;  // for a CR LF after them
    int m_lineWordCount = 0;    // LineWordCount
    bool m_wordTaken = false;   // WordTaken
};

} // namespace yuedu::seg
