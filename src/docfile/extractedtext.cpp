#include "docfile/extractedtext.h"

#include "langdata/textcodec.h"

namespace yuedu::doc {

const char *formatName(DocumentFormat format) {
    switch (format) {
    case DocumentFormat::Docx:
        return "Word (.docx)";
    case DocumentFormat::Odt:
        return "OpenDocument (.odt)";
    case DocumentFormat::Epub:
        return "EPUB";
    case DocumentFormat::Html:
        return "HTML";
    case DocumentFormat::Pdf:
        return "PDF";
    }
    return "?";
}

void TextBuilder::append(std::string_view utf8) {
    if (!utf8.empty())
        m_text += fromUtf8(utf8);
}

void TextBuilder::append(std::u16string_view text) {
    m_text += text;
}

void TextBuilder::append(char16_t c) {
    m_text += c;
}

bool TextBuilder::atParagraphStart() const {
    return m_text.empty() || m_text.back() == u'\n';
}

void TextBuilder::endParagraph() {
    // A paragraph of blanks only is no paragraph.
    std::size_t end = m_text.size();
    while (end > 0 && (m_text[end - 1] == u' ' || m_text[end - 1] == u'\t' ||
                       m_text[end - 1] == u'\u3000' || m_text[end - 1] == u'\u00A0'))
        --end;
    if (end == 0 || m_text[end - 1] == u'\n') {
        m_text.resize(end);
        return;
    }
    m_text += u'\n';
}

void TextBuilder::leave(const char *what, std::size_t count) {
    for (auto &entry : m_left)
        if (entry.first == what) {
            entry.second += count;
            return;
        }
    m_left.emplace_back(what, count);
}

void TextBuilder::note(std::string sentence) {
    for (const auto &n : m_notes)
        if (n == sentence)
            return;
    m_notes.push_back(std::move(sentence));
}

ExtractedText TextBuilder::finish() {
    endParagraph();
    if (!m_text.empty())
        m_text.pop_back();
    ExtractedText out;
    out.text = std::move(m_text);
    out.notes = std::move(m_notes);
    for (const auto &[what, count] : m_left) {
        std::string sentence = what;
        const auto at = sentence.find("%d");
        if (at != std::string::npos)
            sentence.replace(at, 2, std::to_string(count));
        out.notes.push_back(std::move(sentence));
    }
    return out;
}

} // namespace yuedu::doc
