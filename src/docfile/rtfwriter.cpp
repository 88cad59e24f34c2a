#include "docfile/rtfwriter.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "langdata/codepage950.h"

namespace yuedu::doc {
namespace {

void appendHexByte(std::string &out, unsigned char b) {
    static const char digits[] = "0123456789abcdef";
    out += "\\'";
    out += digits[b >> 4];
    out += digits[b & 15];
}

// A font name in the font table: ASCII as is, the rest as code page 950 bytes.
void appendFontName(std::string &out, std::u16string_view name) {
    const auto &cp = CodePage950::instance();
    for (char16_t c : name) {
        if (c < 0x80 && c != u'\\' && c != u'{' && c != u'}' && c != u';') {
            out += static_cast<char>(c);
            continue;
        }
        std::uint16_t code = cp.code(c);
        if (code >= 0x8000) {
            appendHexByte(out, static_cast<unsigned char>(code >> 8));
            appendHexByte(out, static_cast<unsigned char>(code & 0xFF));
        } else if (code) {
            appendHexByte(out, static_cast<unsigned char>(code));
        } else {
            out += '?';
        }
    }
}

void appendText(std::string &out, std::u16string_view text, int &uc) {
    const auto &cp = CodePage950::instance();
    for (char16_t c : text) {
        if (c == u'\n') {
            out += "\\par\r\n";
        } else if (c == u'\u2028') {
            out += "\\line ";
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            continue; // other control characters have no place in the text
        } else {
            // \uN with the code page 950 bytes (or '?') as the fallback of readers without
            // Unicode; \uc says how many fallback bytes follow.
            std::uint16_t code = cp.code(c);
            int fallback = code >= 0x8000 ? 2 : 1;
            if (fallback != uc) {
                out += fallback == 2 ? "\\uc2" : "\\uc1";
                uc = fallback;
            }
            // Without temporaries: this runs for every hanzi of a document.
            char number[8];
            const auto end = std::to_chars(number, number + sizeof number,
                                           static_cast<int>(static_cast<std::int16_t>(c)))
                                 .ptr;
            out += "\\u";
            out.append(number, end);
            if (code >= 0x8000) {
                appendHexByte(out, static_cast<unsigned char>(code >> 8));
                appendHexByte(out, static_cast<unsigned char>(code & 0xFF));
            } else if (code >= 0x80 && code < 0x100) {
                appendHexByte(out, static_cast<unsigned char>(code));
            } else {
                out += '?';
            }
        }
    }
}

// "\pard" and the properties that differ from the default.
std::string paragraphProperties(const ParagraphFormat &p) {
    std::string out = "\\pard";
    switch (p.alignment) {
    case Alignment::Left:
        break;
    case Alignment::Center:
        out += "\\qc";
        break;
    case Alignment::Right:
        out += "\\qr";
        break;
    case Alignment::Justify:
        out += "\\qj";
        break;
    }
    auto length = [&out](const char *word, int value) {
        if (value != 0)
            out += std::string("\\") + word + std::to_string(value);
    };
    length("li", p.leftIndent);
    length("ri", p.rightIndent);
    length("fi", p.firstLineIndent);
    length("sb", p.spaceBefore);
    length("sa", p.spaceAfter);
    if (p.lineSpacing != 0)
        out += "\\sl" + std::to_string(p.lineSpacing) + "\\slmult" + (p.lineMultiple ? "1" : "0");
    return out;
}

} // namespace

std::string writeRtf(const RichDocument &document, const RtfWriteOptions &options) {
    // A font of the table is its name with its family and character set.
    struct Font {
        std::u16string name;
        FontFamily family = FontFamily::Nil;
        int charset = -1;
        bool operator==(const Font &) const = default;
    };
    std::vector<Font> fonts{{options.defaultFont}};
    std::vector<std::uint32_t> colors;
    auto fontOf = [](const CharFormat &f) { return Font{f.fontName, f.fontFamily, f.fontCharset}; };
    auto addColor = [&colors](const std::optional<std::uint32_t> &c) {
        if (c && std::find(colors.begin(), colors.end(), *c) == colors.end())
            colors.push_back(*c);
    };
    for (const auto &r : document.runs()) {
        if (!r.format.fontName.empty() &&
            std::find(fonts.begin(), fonts.end(), fontOf(r.format)) == fonts.end())
            fonts.push_back(fontOf(r.format));
        addColor(r.format.color);
        addColor(r.format.highlight);
    }

    static const char *const families[] = {"\\fnil",    "\\froman", "\\fswiss", "\\fmodern",
                                           "\\fscript", "\\fdecor", "\\ftech",  "\\fbidi"};
    std::string out = "{\\rtf1\\ansi\\ansicpg950\\deff0\\deflang1033\\deflangfe1028";
    out += "{\\fonttbl";
    for (std::size_t k = 0; k < fonts.size(); ++k) {
        out += "{\\f" + std::to_string(k) + families[static_cast<int>(fonts[k].family)] +
               "\\fcharset" + std::to_string(fonts[k].charset >= 0 ? fonts[k].charset : 136) + " ";
        appendFontName(out, fonts[k].name);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (std::uint32_t c : colors)
        out += "\\red" + std::to_string((c >> 16) & 0xFF) + "\\green" +
               std::to_string((c >> 8) & 0xFF) + "\\blue" + std::to_string(c & 0xFF) + ";";
    // Paragraph properties stand outside the runs' groups, which would undo them: with any
    // paragraph formatting a run is split after each of its breaks.
    const bool paragraphs = document.hasParagraphFormats();
    std::size_t paragraph = 0;
    out += "}\r\n\\viewkind4\\uc1" +
           (paragraphs ? paragraphProperties(document.paragraphFormat(0)) : std::string("\\pard")) +
           "\\plain\\f0\\fs" + std::to_string(options.defaultSizeHalfPoints) + " ";

    for (const auto &r : document.runs()) {
        const CharFormat &f = r.format;
        std::size_t font = 0;
        if (!f.fontName.empty())
            font = std::find(fonts.begin(), fonts.end(), fontOf(f)) - fonts.begin();
        auto colorIndex = [&colors](const std::optional<std::uint32_t> &c) -> std::size_t {
            return c ? std::find(colors.begin(), colors.end(), *c) - colors.begin() + 1 : 0;
        };
        const std::size_t color = colorIndex(f.color);
        int size = f.sizeHalfPoints > 0 ? f.sizeHalfPoints : options.defaultSizeHalfPoints;
        std::string open = "{\\f" + std::to_string(font) + "\\fs" + std::to_string(size);
        open += f.bold ? "\\b" : "\\b0";
        open += f.italic ? "\\i" : "\\i0";
        open += f.underline ? "\\ul" : "\\ulnone";
        open += f.strikeThrough ? "\\strike" : "\\strike0";
        if (f.position == VerticalPosition::Subscript)
            open += "\\sub";
        else if (f.position == VerticalPosition::Superscript)
            open += "\\super";
        open += "\\cf" + std::to_string(color);
        if (f.highlight)
            open += "\\highlight" + std::to_string(colorIndex(f.highlight));
        open += " ";
        std::u16string_view rest = r.text;
        while (!rest.empty()) {
            std::size_t end = paragraphs ? rest.find(u'\n') : std::u16string_view::npos;
            end = end == std::u16string_view::npos ? rest.size() : end + 1;
            int uc = 1; // \uc is scoped to the run's group
            out += open;
            appendText(out, rest.substr(0, end), uc);
            out += "}";
            if (paragraphs && rest[end - 1] == u'\n')
                out += paragraphProperties(document.paragraphFormat(++paragraph)) + " ";
            rest.remove_prefix(end);
        }
    }
    // Every paragraph ends with \par, the last one too, as word processors write it.
    out += "\\par\r\n}\r\n";
    return out;
}

} // namespace yuedu::doc
