#include "docfile/richdocument.h"

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
    return out;
}

RichDocument RichDocument::fromPlainText(std::u16string_view text) {
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
    RichDocument d;
    d.append(normal, CharFormat{});
    return d;
}

} // namespace yuedu::doc
