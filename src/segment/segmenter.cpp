#include "segment/segmenter.h"

#include <algorithm>

#include "langdata/big5.h"
#include "segment/lexicon.h"
#include "segment/segdictionary.h"

namespace yuedu::seg {
namespace {

constexpr std::ptrdiff_t kPrefetchAhead = 16;

} // namespace

Segmenter::Segmenter(const PhraseDivider &divider, std::u16string_view text,
                     const PhraseDivider::LineSink &sink)
    : m_divider(divider), m_dictionary(*divider.m_dictionary), m_text(text), m_sink(sink) {
    m_outBuffer.reserve(256);
}

std::u16string_view Segmenter::T(int i) const {
    const std::ptrdiff_t pos = m_scanPos + i; // 1-based
    if (pos < 1 || pos > static_cast<std::ptrdiff_t>(m_text.size()))
        return {};
    return m_text.substr(static_cast<std::size_t>(pos - 1), 1);
}

std::u16string_view Segmenter::text(int offset, int n) const {
    std::ptrdiff_t from = m_scanPos + offset; // 1-based
    std::ptrdiff_t to = from + n;             // one past the last
    if (from < 1)
        from = 1;
    if (to > static_cast<std::ptrdiff_t>(m_text.size()) + 1)
        to = static_cast<std::ptrdiff_t>(m_text.size()) + 1;
    if (to <= from)
        return {};
    return m_text.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from));
}

int Segmenter::lookupTwoCharWord(std::u16string_view p) {
    return m_dictionary.LookupTwoCharWord(p);
}

int Segmenter::lookupLongWord(std::u16string_view p) {
    return m_dictionary.LookupLongWord(p);
}

bool Segmenter::TestHanzi(std::u16string_view s) {
    m_curOrdinal = s.empty() ? -1 : tableOrdinal(s.front());
    m_curIsHanzi = m_curOrdinal >= 0;
    return m_curIsHanzi;
}

void Segmenter::run() {
    const auto textLen = static_cast<std::ptrdiff_t>(m_text.size());
    while (m_scanPos <= textLen) {
        // Single-byte characters, Big5 symbols and codes beyond the hanzi are passed over.
        if (!TestHanzi(m_text.substr(static_cast<std::size_t>(m_scanPos - 1), 1))) {
            ++m_scanPos;
            continue;
        }
        // The words a few characters ahead are looked up soon; their index slots load meanwhile.
        for (const std::ptrdiff_t ahead = std::min(m_scanPos + kPrefetchAhead, textLen);
             m_prefetched <= ahead; ++m_prefetched)
            m_dictionary.Prefetch(m_text.substr(static_cast<std::size_t>(m_prefetched - 1), 4));
        SegmentAt();
    }
    flushLine();
}

void Segmenter::SegmentAt() {
    m_wordTaken = false;
    const auto textLen = static_cast<std::ptrdiff_t>(m_text.size());
    const int longMatchLen = m_dictionary.LookupLongWord(text(0, 4));
    if (longMatchLen != 0 && textLen > m_scanPos + 2)
        TakeLongWord(longMatchLen);
    else if (textLen < m_scanPos + 2)
        TakeShortWord();
    // With three or more characters left and no long word, the rule passes decide first.
    for (const auto &pass : m_divider.m_passes) {
        if (m_wordTaken)
            return;
        pass->run(*this);
    }
    if (!m_wordTaken)
        TakeShortWord();
}

void Segmenter::EmitWord(std::u16string_view word) {
    // A pass may ask for characters beyond the end of the text; there is no empty word.
    if (word.empty())
        return;
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
    const auto textLen = static_cast<std::ptrdiff_t>(m_text.size());
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
