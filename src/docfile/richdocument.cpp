#include "docfile/richdocument.h"

#include <algorithm>

namespace yuedu::doc {

void RichDocument::append(std::u16string_view text, const CharFormat &format) {
    if (text.empty())
        return;
    if (!m_runs.empty() && m_runs.back().format == format)
        m_runs.back().text.append(text);
    else
        m_runs.push_back({std::u16string(text), format});
}

std::u16string RichDocument::plainText() const {
    std::u16string out;
    for (const auto &r : m_runs)
        out += r.text;
    std::replace(out.begin(), out.end(), u'\u2028', u'\n');
    return out;
}

void RichDocument::dropTrailingBreak() {
    if (m_runs.empty() || m_runs.back().text.empty() || m_runs.back().text.back() != u'\n')
        return;
    m_runs.back().text.pop_back();
    if (m_runs.back().text.empty())
        m_runs.pop_back();
    if (!m_paragraphs.empty()) {
        // The paragraph that followed the break is gone, and with it its format.
        std::size_t count = 1;
        for (const auto &r : m_runs)
            count += static_cast<std::size_t>(std::count(r.text.begin(), r.text.end(), u'\n'));
        if (m_paragraphs.size() > count)
            m_paragraphs.resize(count);
        trimParagraphs();
    }
}

void RichDocument::setParagraphFormat(std::size_t paragraph, const ParagraphFormat &format) {
    if (paragraph >= m_paragraphs.size()) {
        if (format == ParagraphFormat{})
            return;
        m_paragraphs.resize(paragraph + 1);
    }
    m_paragraphs[paragraph] = format;
    trimParagraphs();
}

const ParagraphFormat &RichDocument::paragraphFormat(std::size_t paragraph) const {
    static const ParagraphFormat plain;
    return paragraph < m_paragraphs.size() ? m_paragraphs[paragraph] : plain;
}

void RichDocument::trimParagraphs() {
    while (!m_paragraphs.empty() && m_paragraphs.back() == ParagraphFormat{})
        m_paragraphs.pop_back();
}

RichDocument RichDocument::fromPlainText(std::u16string_view text) {
    RichDocument d;
    if (text.find(u'\r') == std::u16string_view::npos) { // LF line ends: nothing to change
        d.append(text, CharFormat{});
        return d;
    }
    // Line ends CR LF, CR and LF all become one paragraph break.
    std::u16string normal;
    normal.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'\r') {
            normal += u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            normal += c;
        }
    }
    d.append(normal, CharFormat{});
    return d;
}

} // namespace yuedu::doc
