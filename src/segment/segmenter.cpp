#include "segment/segmenter.h"

#include <algorithm>
#include <bit>

#include "langdata/big5.h"
#include "langdata/hanzi.h"
#include "segment/lexicon.h"
#include "segment/segdictionary.h"

namespace yuedu::seg {
namespace {

// How far ahead of the scan the dictionary probes are started.
constexpr std::ptrdiff_t kProbeAhead = 16;

} // namespace

Segmenter::Segmenter(const PhraseDivider &divider, const PhraseDivider::LineSink &sink)
    : m_divider(divider), m_dictionary(*divider.m_dictionary), m_sink(sink),
      m_passesAt(divider.m_passesAt), m_passesBefore(divider.m_passesBefore),
      m_onRepeatsOnly(divider.m_onRepeatsOnly) {
    for (std::size_t i = 0; i < divider.m_passes.size(); ++i)
        m_passes[i] = divider.m_passes[i].get();
    m_outBuffer.resize(256);
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
    m_any = true;
    // What lies behind the scan is dropped, but for the few characters a pass reads back.
    const std::ptrdiff_t keepFrom = std::max<std::ptrdiff_t>(m_heldFrom, m_scanPos - kBehind);
    if (keepFrom > m_heldFrom) {
        m_held.erase(0, static_cast<std::size_t>(keepFrom - m_heldFrom));
        m_heldFrom = keepFrom;
    }
    const std::size_t from = m_held.size();
    m_lineEnds.append(piece, m_held);
    if (!m_begun) {
        // The blanks before the first other character are no part of the scanned text.
        const auto first = m_held.find_first_not_of(u' ', from);
        m_held.erase(from, first == std::u16string::npos ? std::u16string::npos : first - from);
        if (first == std::u16string::npos)
            return;
        m_begun = true;
    }
    heldMoved();
    const auto last = m_held.find_last_not_of(u' ');
    if (last != std::u16string::npos && last >= from)
        m_textLen = m_heldFrom + static_cast<std::ptrdiff_t>(last);
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
        m_probed = std::max(m_probed, m_scanPos);
        for (const std::ptrdiff_t ahead = std::min(m_scanPos + kProbeAhead, m_textLen - 3);
             m_probed <= ahead; ++m_probed) {
            Ahead &a = m_probes[m_probed & (kProbes - 1)];
            m_dictionary.startProbe(m_chars + (m_probed - m_charsFrom), a.probe);
            a.pos = m_probed;
            a.answers = kNoAnswers;
        }
        SegmentAt();
    }
}

void Segmenter::SegmentAt() {
    m_wordTaken = false;
    const std::ptrdiff_t textLen = m_textLen;
    const std::uint8_t here = answersAt(m_scanPos);
    const int longMatchLen = here != kNoAnswers ? here & SegDictionary::kLongMask
                                                : m_dictionary.LookupLongWord(text(0, 4));
    if (longMatchLen != 0 && textLen > m_scanPos + 2)
        TakeLongWord(longMatchLen);
    else if (textLen < m_scanPos + 2)
        TakeShortWord();
    // With three or more characters left and no long word, the rule passes decide first; only
    // those that may take a word starting with this character, and with the next, are asked.
    if (m_wordTaken)
        return;
    const RulePass *const *passes = m_passes;
    const char16_t *t = m_chars + (m_scanPos - m_charsFrom);
    const unsigned at = m_passesAt[t[0]];
    unsigned asked = at & 0xFF;
    if (textLen > m_scanPos)
        asked &= m_passesBefore[t[1]] | at >> 8;
    if ((asked & m_onRepeatsOnly) != 0 && textLen >= m_scanPos + 2 && t[0] != t[1] &&
        t[1] != t[2] && t[0] != t[2])
        asked &= ~unsigned(m_onRepeatsOnly);
    for (unsigned at = asked; at != 0; at &= at - 1) {
        passes[std::countr_zero(at)]->run(*this);
        if (m_wordTaken)
            return;
    }
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
    // The buffer is only ever grown, and holds the line's words in its first m_outSize units.
    if (m_outSize + word.size() + 4 > m_outBuffer.size())
        m_outBuffer.resize(2 * (m_outSize + word.size() + 4));
    char16_t *out = m_outBuffer.data() + m_outSize;
    m_outSize += word.size() + 2;
    std::copy(word.begin(), word.end(), out);
    out[word.size()] = u' ';
    out[word.size() + 1] = u' ';
}

void Segmenter::flushLine() {
    m_outBuffer[m_outSize] = u'\r';
    m_outBuffer[m_outSize + 1] = u'\n';
    m_sink(std::u16string_view(m_outBuffer.data(), m_outSize + 2));
    m_outSize = 0;
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
    const std::uint8_t here = answersAt(m_scanPos);
    const bool twoChar = here != kNoAnswers ? (here & SegDictionary::kTwo) != 0
                                            : m_dictionary.LookupTwoCharWord(text(0, 2)) != 0;
    if (!twoChar) {
        EmitWord(text(0, 1));
        return;
    }
    if (textLen <= m_scanPos + 3) {
        EmitWord(text(0, 2));
        return;
    }
    // A longer word starts at the next character: leave it whole.
    EmitWord(text(0, pairAt(m_scanPos + 1) ? 1 : 2));
}

} // namespace yuedu::seg
