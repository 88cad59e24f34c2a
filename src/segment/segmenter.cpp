#include "segment/segmenter.h"

#include <algorithm>

#include "langdata/big5.h"
#include "langdata/hanzi.h"
#include "segment/lexicon.h"
#include "segment/segdictionary.h"

namespace yuedu::seg {
namespace {

constexpr std::ptrdiff_t kPrefetchAhead = 16;

} // namespace

Segmenter::Segmenter(const PhraseDivider &divider, const PhraseDivider::LineSink &sink)
    : m_divider(divider), m_dictionary(*divider.m_dictionary), m_sink(sink) {
    m_outBuffer.reserve(256);
}

std::u16string_view Segmenter::T(int i) const {
    const std::ptrdiff_t pos = m_scanPos + i; // 1-based
    if (pos < 1 || pos > m_textLen)
        return {};
    return held(pos, pos + 1);
}

std::u16string_view Segmenter::text(int offset, int n) const {
    std::ptrdiff_t from = m_scanPos + offset; // 1-based
    std::ptrdiff_t to = from + n;             // one past the last
    if (from < 1)
        from = 1;
    if (to > m_textLen + 1)
        to = m_textLen + 1;
    if (to <= from)
        return {};
    return held(from, to);
}

int Segmenter::lookupTwoCharWord(std::u16string_view p) {
    return m_dictionary.LookupTwoCharWord(p);
}

int Segmenter::lookupLongWord(std::u16string_view p) {
    return m_dictionary.LookupLongWord(p);
}

void Segmenter::write(std::u16string_view piece) {
    if (piece.empty())
        return;
    piece = m_lineEnds.next(piece, m_crlf);
    m_any = true;
    if (!m_begun) {
        // The blanks before the first other character are no part of the scanned text.
        const auto first = piece.find_first_not_of(u' ');
        if (first == std::u16string_view::npos)
            return;
        piece.remove_prefix(first);
        m_begun = true;
    }
    // What lies behind the scan is dropped, but for the few characters a pass reads back.
    const std::ptrdiff_t keepFrom = std::max<std::ptrdiff_t>(m_heldFrom, m_scanPos - kBehind);
    if (keepFrom > m_heldFrom) {
        m_held.erase(0, static_cast<std::size_t>(keepFrom - m_heldFrom));
        m_heldFrom = keepFrom;
    }
    const std::ptrdiff_t end = m_heldFrom + static_cast<std::ptrdiff_t>(m_held.size());
    m_held += piece;
    const auto last = piece.find_last_not_of(u' ');
    if (last != std::u16string_view::npos)
        m_textLen = end + static_cast<std::ptrdiff_t>(last);
    // A position is settled once kMargin characters follow it: whatever the rest of the text,
    // every read and every test of the length there comes out the same.
    scanTo(m_textLen - kMargin);
}

void Segmenter::finish() {
    if (!m_any)
        return;
    scanTo(m_textLen);
    flushLine();
}

void Segmenter::scanTo(std::ptrdiff_t last) {
    const std::int16_t *const ordinals = tableOrdinals();
    while (m_scanPos <= last) {
        const auto at = static_cast<std::size_t>(m_scanPos - m_heldFrom);
        // Single-byte characters, Big5 symbols and codes beyond the hanzi are passed over; a
        // hanzi without a record is a word of its own, as no dictionary word holds it.
        if (ordinals[m_held[at]] < 0) {
            if (const std::size_t extra = extraHanziAt(m_held, at); extra != 0) {
                m_wordTaken = false;
                EmitWord(text(0, static_cast<int>(extra)));
                continue;
            }
            ++m_scanPos;
            continue;
        }
        // The words a few characters ahead are looked up soon; their index slots load meanwhile.
        m_prefetched = std::max(m_prefetched, m_scanPos);
        for (const std::ptrdiff_t ahead = std::min(m_scanPos + kPrefetchAhead, m_textLen);
             m_prefetched <= ahead; ++m_prefetched)
            m_dictionary.Prefetch(held(m_prefetched, std::min(m_prefetched + 4, m_textLen + 1)));
        SegmentAt();
    }
}

void Segmenter::SegmentAt() {
    m_wordTaken = false;
    const std::ptrdiff_t textLen = m_textLen;
    const int longMatchLen = m_dictionary.LookupLongWord(text(0, 4));
    if (longMatchLen != 0 && textLen > m_scanPos + 2)
        TakeLongWord(longMatchLen);
    else if (textLen < m_scanPos + 2)
        TakeShortWord();
    // With three or more characters left and no long word, the rule passes decide first; only
    // those that may take a word starting with this character are asked.
    if (m_wordTaken)
        return;
    const std::uint8_t passes =
        m_divider.m_passesAt[m_held[static_cast<std::size_t>(m_scanPos - m_heldFrom)]];
    for (std::size_t i = 0; i < m_divider.m_passes.size(); ++i) {
        if (m_wordTaken)
            return;
        if (passes >> i & 1)
            m_divider.m_passes[i]->run(*this);
    }
    if (!m_wordTaken)
        TakeShortWord();
}

void Segmenter::EmitWord(std::u16string_view word) {
    // A pass may ask for characters beyond the end of the text; there is no empty word.
    if (word.empty())
        return;
    // A word never ends between the two halves of a character beyond the BMP.
    const std::ptrdiff_t after = m_scanPos + static_cast<std::ptrdiff_t>(word.size());
    if (word.back() >= 0xD800 && word.back() <= 0xDBFF && after <= m_textLen) {
        const char16_t next = held(after, after + 1).front();
        if (next >= 0xDC00 && next <= 0xDFFF)
            word = held(m_scanPos, after + 1);
    }
    m_wordTaken = true;
    m_scanPos += static_cast<std::ptrdiff_t>(word.size());
    if (m_lineWordCount == 12) {
        flushLine();
        m_lineWordCount = 0;
    } else {
        ++m_lineWordCount;
    }
    m_outBuffer += word;
    m_outBuffer += u"  ";
}

void Segmenter::flushLine() {
    m_outBuffer += u"\r\n";
    m_sink(m_outBuffer);
    m_outBuffer.clear();
}

void Segmenter::TakeLongWord(int longMatchLen) {
    const std::u16string_view w = text(0, 4);
    if (longMatchLen == 4) {
        EmitWord(w);
    } else if (longMatchLen == 3) {
        // A three-character word ending in a noun suffix (商店 + 店) is split before the suffix.
        if (InList(lexicon().SuffixChars, w.substr(2, 1))) {
            EmitWord(text(0, 2));
            EmitWord(text(0, 1));
        } else {
            EmitWord(text(0, 3));
        }
    }
}

void Segmenter::TakeShortWord() {
    const std::ptrdiff_t textLen = m_textLen;
    if (m_dictionary.LookupTwoCharWord(text(0, 2)) == 0) {
        EmitWord(text(0, 1));
    } else if (textLen <= m_scanPos + 3 || m_dictionary.LookupLongWord(text(1, 3)) == 0) {
        EmitWord(text(0, 2));
    } else {
        // A longer word starts at the next character: leave it whole.
        EmitWord(text(0, 1));
    }
}

} // namespace yuedu::seg
