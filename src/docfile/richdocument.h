#pragma once
// A formatted document as runs of text with one character format each. Paragraph breaks are
// '\n' inside the text, line breaks within a paragraph U+2028. This is what the RTF reader produces
// and the writer consumes; the desktop program turns it into its own text document and back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu::doc {

// The kind of face a font table names beside the font (\fnil, \froman, \fswiss...), so that a
// reader without the font can choose a like one.
enum class FontFamily { Nil, Roman, Swiss, Modern, Script, Decor, Tech, Bidi };

enum class VerticalPosition { Normal, Subscript, Superscript };

struct CharFormat {
    std::u16string fontName; // empty: the document's default font
    FontFamily fontFamily = FontFamily::Nil;
    int fontCharset = -1;   // the font table's \fcharset; -1: none or 136 (Big5), the default
    int sizeHalfPoints = 0; // 0: the default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeThrough = false;
    VerticalPosition position = VerticalPosition::Normal;
    std::optional<std::uint32_t> color;     // 0xRRGGBB; none: automatic colour
    std::optional<std::uint32_t> highlight; // the background, 0xRRGGBB; none: no highlight

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
    // RTF's \sl and \slmult: with lineMultiple, lineSpacing/240 lines (360: one and a half);
    // without, at least lineSpacing twips, or exactly -lineSpacing when negative. 0: single.
    int lineSpacing = 0;
    bool lineMultiple = false;

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
    // The text with line breaks as paragraph breaks.
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
