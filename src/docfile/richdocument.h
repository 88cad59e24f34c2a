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

    // A document of plain text in the default format.
    static RichDocument fromPlainText(std::u16string_view text);

private:
    std::vector<Run> m_runs;
};

} // namespace yuedu::doc
