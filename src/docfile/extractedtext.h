#pragma once
// The plain text of a document in another format (Word, OpenDocument, EPUB, web page, PDF), as
// the analyses take it, with notes on what its reader left out.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu::doc {

enum class DocumentFormat { Docx, Odt, Epub, Html, Pdf };

// "Word (.docx)", "OpenDocument (.odt)", ...
const char *formatName(DocumentFormat format);

struct ExtractedText {
    // Paragraphs separated by one '\n'; no empty paragraphs, no final line end.
    std::u16string text;
    // What the reader did not take, or took from elsewhere, one sentence each (UTF-8,
    // Traditional Chinese), in the order first met.
    std::vector<std::string> notes;
};

// Collects the text of a document while its reader walks it: paragraph ends are merged, blank
// paragraphs dropped, and left-out parts counted by kind for the notes.
class TextBuilder {
public:
    void append(std::string_view utf8);
    void append(std::u16string_view text);
    void append(char16_t c);
    // Ends the current paragraph (nothing happens at the start or after another end).
    void endParagraph();
    bool atParagraphStart() const;
    // The last character written, 0 at the start.
    char16_t last() const { return m_text.empty() ? 0 : m_text.back(); }

    // Counts one more left-out (or moved) thing; `what` is the note, with "%d" for the count.
    void leave(const char *what, std::size_t count = 1);
    void note(std::string sentence);

    std::size_t size() const { return m_text.size(); }
    ExtractedText finish();

private:
    std::u16string m_text;
    std::vector<std::pair<std::string, std::size_t>> m_left;
    std::vector<std::string> m_notes;
};

} // namespace yuedu::doc
