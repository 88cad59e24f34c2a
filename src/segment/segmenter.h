#pragma once
// One run of the segmenter over one text: the scan state and the steps of the scan. Built by
// PhraseDivider::DivideText for each text; the rule passes see it as their PassContext.
#include <string>
#include <string_view>

#include "segment/passcontext.h"
#include "segment/phrasedivider.h"

namespace yuedu::seg {

class Segmenter final : public PassContext {
public:
    // text is the scanned text (already trimmed of ASCII blanks at both ends).
    Segmenter(const PhraseDivider &divider, std::u16string_view text,
              const PhraseDivider::LineSink &sink);

    // Scans the whole text and hands out every line, the last one included.
    void run();

    // PassContext
    int scanPos() const override { return static_cast<int>(m_scanPos); }
    int textLen() const override { return static_cast<int>(m_text.size()); }
    std::u16string_view T(int i) const override;
    std::u16string_view text(int offset, int n) const override;
    void emit(int n) override { EmitWord(text(0, n)); }
    bool wordTaken() const override { return m_wordTaken; }
    int lookupTwoCharWord(std::u16string_view p) override;
    int lookupLongWord(std::u16string_view p) override;
    const Lexicon &lexicon() const override { return m_divider.m_lexicon; }

private:
    bool TestHanzi(std::u16string_view s);
    void SegmentAt();
    void EmitWord(std::u16string_view word);
    void TakeLongWord(int longMatchLen);
    void TakeShortWord();
    void flushLine();

    const PhraseDivider &m_divider;
    const SegDictionary &m_dictionary;
    std::u16string_view m_text; // SourceText as scanned; TextLen is its size
    const PhraseDivider::LineSink &m_sink;

    std::ptrdiff_t m_scanPos = 1;    // ScanPos, 1-based
    std::ptrdiff_t m_prefetched = 1; // the dictionary slots of positions before it are asked for
    std::u16string m_outBuffer;      // OutBuffer: the words of the line being filled
    int m_lineWordCount = 0;         // LineWordCount
    bool m_wordTaken = false;        // WordTaken
    int m_curOrdinal = -1;           // CurOrdinal
    bool m_curIsHanzi = false;       // CurIsHanzi
};

} // namespace yuedu::seg
