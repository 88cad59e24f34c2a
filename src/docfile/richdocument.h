#pragma once
// A formatted document as runs of text with one character format each. Paragraph breaks are
// '\n' inside the text. This is what the RTF reader produces and the writer consumes; the
// desktop program turns it into its own text document and back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu::doc {

struct CharFormat {
    std::u16string fontName; // empty: the document's default font
    int sizeHalfPoints = 0;  // 0: the default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeThrough = false;
    std::optional<std::uint32_t> color; // 0xRRGGBB; none: automatic colour

    bool operator==(const CharFormat &) const = default;
};

enum class Alignment { Left, Center, Right, Justify };

// Lengths in twips (1/1440 inch), as RTF gives them.
struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0; // relative to the left indent; negative hangs
    int spaceBefore = 0;
    int spaceAfter = 0;

    bool operator==(const ParagraphFormat &) const = default;
};

struct Run {
    std::u16string text;
    CharFormat format;
};

class RichDocument {
public:
    // Appends text in the given format, merging with the last run when the formats agree.
    void append(std::u16string_view text, const CharFormat &format);
    const std::vector<Run> &runs() const { return m_runs; }
    std::u16string plainText() const;
    bool empty() const { return m_runs.empty(); }
    // Removes a final paragraph break, if the text ends with one.
    void dropTrailingBreak();

    // Paragraph k is the text after the k-th '\n' (counted from 0). Paragraphs never given a
    // format have the default one.
    void setParagraphFormat(std::size_t paragraph, const ParagraphFormat &format);
    const ParagraphFormat &paragraphFormat(std::size_t paragraph) const;
    // True when some paragraph has other than the default format.
    bool hasParagraphFormats() const { return !m_paragraphs.empty(); }

    // A document of plain text in the default format.
    static RichDocument fromPlainText(std::u16string_view text);

private:
    void trimParagraphs();

    std::vector<Run> m_runs;
    std::vector<ParagraphFormat> m_paragraphs; // empty while all are default
};

} // namespace yuedu::doc
