#include "docfile/rtfreader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <unordered_set>
#include <vector>

#include "common/errors.h"
#include "docfile/codepagedecoder.h"
#include "docfile/rtfwords.h"

namespace yuedu::doc {
namespace {

// Groups nested deeper than this share the state of the deepest kept one; a file of a million
// opening braces costs no more memory than this.
constexpr std::size_t kMaxStates = 256;
constexpr int kMaxParam = 1'000'000'000;

enum class Dest { Text, Skip, FontTable, ColorTable };

// Text without \fs is 12 points in RTF.
constexpr int kRtfDefaultSize = 24;

CharFormat plainFormat() {
    CharFormat f;
    f.sizeHalfPoints = kRtfDefaultSize;
    return f;
}

struct GroupState {
    Dest dest = Dest::Text;
    CharFormat format = plainFormat();
    ParagraphFormat paragraph;
    int fontIndex = -1;
    int ucSkip = 1;
    bool uprPending = false;    // inside \upr: the first subgroup is the byte version, skipped
    bool doubleByteRun = false; // after \dbch: the associated properties (\ab, \af...) apply
    // The fonts of Latin and of double-byte (CJK) runs; -1 until given.
    int latinFont = -1;
    int asianFont = -1;
};

struct FontEntry {
    std::string nameBytes;
    int charset = -1;
    FontFamily family = FontFamily::Nil;
    std::u16string name;
};

// Control words that change nothing this program shows or keeps: language tags, the order of
// scripts, revision marks, widow control, the layout hints word processors add everywhere.
bool isHarmlessWord(std::string_view w) {
    static const std::unordered_set<std::string_view> words = [] {
        static constexpr std::string_view list =
            "lang langfe langnp langfenp alang adeflang noproof ltrpar rtlpar ltrsect rtlsect "
            "ltrrow rtlrow nowidctlpar widctlpar hyphpar aspalpha aspnum faauto faroman "
            "adjustright "
            "nooverflow cgrid kerning s cs ds ts sbasedon snext slink sqformat spriority insrsid "
            "charrsid pararsid sectrsid tblrsid rsid rsidroot itap sectd sectdefaultcl sftnbj "
            "linex "
            "endnhere pgnstarts pgndec viewkind viewscale viewzk deftab deflang deflangfe uc "
            "htmautsp hyphauto hyphhotz hyphconsec hyphcaps formshade dntblnsbdb dntultrlspc "
            "noxlattoyen expshrtn noultrlspc nolnhtadjtbl fet ftnbj aenddoc aftnbj aftnstart "
            "aftnnar ftnnar ftnstart ftnrstcont aftnrstcont ftnrestart aftnrestart noqfpromote "
            "jexpand jcompress lnongrid dgmargin dghspace dgvspace dghorigin dgvorigin dghshow "
            "dgvshow splytwnine ftnlytwnine allowfieldendsel nobrkwrptbl snaptogridincell wrppunct "
            "asianbrkrule newtblstyruls nogrowautofit usenormstyforlist noindnmbrts felnbrelev "
            "indrlsweleven nocxsptable validatexml showplaceholdtext ignoremixedcontent "
            "saveinvalidxml showxmlerrors nojkernpunct stylelock stylesortmethod margmirror paperw "
            "paperh margl margr margt margb gutter pgwsxn pghsxn marglsxn margrsxn margtsxn "
            "margbsxn guttersxn headery footery colsx cols titlepg pgnrestart ls ilvl outlinelevel "
            "fcs ltrmark pnhang pntxta pntxtb shading cbpat cfpat chshdng chcfpat expnd expndtw "
            "charscalex contextualspace qnatural wrapdefault rin lin vertalt vertalc vertalj "
            "vertalb enddoc ftntj nofpages nofwords nofchars nofcharsws version edmins vern "
            "horzdoc "
            "vertdoc psz fromtext sbknone sftnnar saftnnrlc sectunlocked aftnnrlc ftnsep";
        std::unordered_set<std::string_view> out;
        for (std::size_t at = 0; at < list.size();) {
            const std::size_t end = std::min(list.find(' ', at), list.size());
            out.insert(list.substr(at, end - at));
            at = end + 1;
        }
        return out;
    }();
    return words.count(w) > 0;
}

class Parser {
public:
    Parser(std::string_view in) : m_in(in) {}

    RtfReadResult run() {
        m_states.push_back(GroupState{});
        std::size_t i = m_in.find("{\\rtf");
        m_pos = i;
        while (m_pos < m_in.size()) {
            char c = m_in[m_pos];
            if (c == '{') {
                ++m_pos;
                openGroup();
            } else if (c == '}') {
                ++m_pos;
                closeGroup();
                if (m_depth == 0)
                    break; // the document's closing brace; anything after it is not RTF
            } else if (c == '\\') {
                controlSequence();
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else {
                ++m_pos;
                if (c == '\t')
                    text(u"\t");
                else
                    byte(static_cast<unsigned char>(c));
            }
        }
        flushBytes();
        flushText();
        if (m_paragraphHasText) // a last paragraph without its \par
            m_doc.setParagraphFormat(m_paragraphIndex, m_openParagraph);
        RtfReadResult r;
        r.truncated = m_depth > 0;
        r.unsupported = m_unsupported.size();
        r.document = std::move(m_doc);
        // Every paragraph ends with \par, the last one included: its break is not text.
        r.document.dropTrailingBreak();
        return r;
    }

private:
    GroupState &state() { return m_states.back(); }

    void openGroup() {
        flushBytes();
        bool skipThis = state().uprPending;
        state().uprPending = false;
        ++m_depth;
        if (m_states.size() < kMaxStates) {
            m_states.push_back(m_states.back());
        } else {
            ++m_overflow; // shares the top state
        }
        m_skipCount = 0;
        if (skipThis)
            state().dest = Dest::Skip;
        m_starPending = false;
    }

    void closeGroup() {
        if (m_depth == 0)
            return;
        flushBytes();
        if (state().dest == Dest::FontTable)
            finishFontName();
        --m_depth;
        if (m_overflow > 0)
            --m_overflow;
        else if (m_states.size() > 1)
            m_states.pop_back();
        m_skipCount = 0;
        m_starPending = false;
    }

    // Reads one control word or symbol at m_pos (which is at the backslash).
    void controlSequence() {
        ++m_pos;
        if (m_pos >= m_in.size())
            return;
        char c = m_in[m_pos];
        if (!isAlpha(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        std::size_t start = m_pos;
        while (m_pos < m_in.size() && isAlpha(m_in[m_pos]) && m_pos - start < 32)
            ++m_pos;
        std::string_view word = m_in.substr(start, m_pos - start);
        while (m_pos < m_in.size() && isAlpha(m_in[m_pos]))
            ++m_pos; // an absurdly long word: the rest is ignored
        std::optional<int> param;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-' && m_pos + 1 < m_in.size() &&
            isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        if (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            long long v = 0;
            while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
                v = std::min<long long>(v * 10 + (m_in[m_pos] - '0'), kMaxParam);
                ++m_pos;
            }
            param = static_cast<int>(negative ? -v : v);
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;
        controlWord(word, param);
    }

    void controlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            byte(static_cast<unsigned char>(c));
            return;
        case '\'': {
            if (m_pos + 2 <= m_in.size() && isHex(m_in[m_pos]) && isHex(m_in[m_pos + 1])) {
                int v = hexValue(m_in[m_pos]) * 16 + hexValue(m_in[m_pos + 1]);
                m_pos += 2;
                byte(static_cast<unsigned char>(v));
            } else {
                m_pos = std::min(m_pos + 2, m_in.size());
            }
            return;
        }
        case '*':
            m_starPending = true;
            return;
        case '~':
            text(u"\u00A0");
            return;
        case '_':
            text(u"\u2011");
            return;
        case '\r':
        case '\n':
            paragraphBreak();
            return;
        default:
            if (consumeSkip())
                return;
            return; // \- optional hyphen, \| formula, \: index: nothing to show
        }
    }

    void controlWord(std::string_view w, std::optional<int> param) {
        bool starred = m_starPending;
        m_starPending = false;
        GroupState &s = state();
        if (w == "rtf" || w == "ansi" || w == "mac" || w == "pc" || w == "pca")
            return;
        if (w == "ansicpg") {
            m_ansiCodePage = param.value_or(1252);
            return;
        }
        if (w == "deff") {
            m_defaultFont = param.value_or(0);
            return;
        }
        if (w == "fonttbl") {
            s.dest = Dest::FontTable;
            return;
        }
        if (w == "colortbl") {
            s.dest = Dest::ColorTable;
            return;
        }
        if (w == "ud") // the Unicode half of \upr
            return;
        if (w == "upr") {
            s.uprPending = true;
            return;
        }
        if (starred || isSkippedDestination(w)) {
            if (starred && (w == "ud"))
                return;
            flushBytes();
            // Pictures, objects, notes, headers and footers are content the document loses.
            if (s.dest == Dest::Text && losesContent(w))
                m_unsupported.emplace(w);
            s.dest = Dest::Skip;
            return;
        }
        if (w == "bin") {
            flushBytes();
            std::size_t n = static_cast<std::size_t>(std::max(0, param.value_or(0)));
            m_pos = std::min(m_in.size(), m_pos + n);
            return;
        }
        if (s.dest == Dest::FontTable) {
            fontTableWord(w, param);
            return;
        }
        if (s.dest == Dest::ColorTable) {
            if (w == "red")
                m_color.r = std::clamp(param.value_or(0), 0, 255), m_color.any = true;
            else if (w == "green")
                m_color.g = std::clamp(param.value_or(0), 0, 255), m_color.any = true;
            else if (w == "blue")
                m_color.b = std::clamp(param.value_or(0), 0, 255), m_color.any = true;
            return;
        }
        if (s.dest == Dest::Skip)
            return;
        if (w == "u") {
            int v = param.value_or(0);
            if (v < 0)
                v += 65536;
            flushBytes();
            char16_t ch = v >= 0 && v <= 0xFFFF ? static_cast<char16_t>(v) : u'\uFFFD';
            text(std::u16string_view(&ch, 1));
            m_skipCount = s.ucSkip;
            return;
        }
        if (consumeSkip())
            return;
        formatWord(w, param);
    }

    void formatWord(std::string_view w, std::optional<int> param) {
        GroupState &s = state();
        CharFormat &f = s.format;
        bool on = !param || *param != 0;
        // LibreOffice gives CJK text its formatting through the associated properties of a
        // \dbch run; right-to-left (\rtlch) and Latin (\loch, \hich) runs use the plain ones.
        if (w == "dbch") {
            s.doubleByteRun = true;
            if (s.asianFont >= 0)
                flushBytes(), setFont(s, s.asianFont);
            return;
        }
        if (w == "rtlch" || w == "ltrch" || w == "loch" || w == "hich") {
            s.doubleByteRun = false;
            if (s.latinFont >= 0)
                flushBytes(), setFont(s, s.latinFont);
            return;
        }
        if (w.size() > 1 && w[0] == 'a' && (w == "ab" || w == "ai" || w == "af" || w == "afs")) {
            if (!s.doubleByteRun)
                return;
            if (w == "af") {
                flushBytes();
                s.asianFont = param.value_or(0);
                setFont(s, s.asianFont);
                return;
            }
            w.remove_prefix(1);
        }
        if (w == "uc") {
            s.ucSkip = std::clamp(param.value_or(1), 0, 16);
        } else if (w == "line") {
            text(u"\u2028");
        } else if (w == "par" || w == "sect" || w == "page" || w == "row") {
            paragraphBreak();
        } else if (paragraphWord(w, param)) {
        } else if (w == "tab" || w == "cell") {
            text(u"\t");
        } else if (w == "plain") {
            flushBytes();
            f = plainFormat();
            s.latinFont = s.asianFont = -1;
            setFont(s, m_defaultFont);
        } else if (w == "b") {
            flushBytes(), f.bold = on;
        } else if (w == "i") {
            flushBytes(), f.italic = on;
        } else if (w == "ul" || w == "uld" || w == "uldash" || w == "uldashd" || w == "uldashdd" ||
                   w == "uldb" || w == "ulth" || w == "ulw" || w == "ulwave") {
            flushBytes(), f.underline = on;
        } else if (w == "ulnone") {
            flushBytes(), f.underline = false;
        } else if (w == "strike" || w == "striked") {
            flushBytes(), f.strikeThrough = on;
        } else if (w == "fs") {
            flushBytes(), f.sizeHalfPoints = std::clamp(param.value_or(24), 0, 3276);
        } else if (w == "f") {
            flushBytes();
            // \f names the font of all text; an \af after \dbch then names the CJK one apart.
            s.latinFont = s.asianFont = param.value_or(0);
            setFont(s, s.latinFont);
        } else if (w == "cf") {
            flushBytes();
            f.color = colorAt(param.value_or(0));
        } else if (w == "highlight" || w == "chcbpat" || w == "cb") {
            // Word highlights, LibreOffice shades the characters: both are the background.
            flushBytes();
            f.highlight = colorAt(param.value_or(0));
        } else if (w == "sub") {
            flushBytes(), f.position = on ? VerticalPosition::Subscript : VerticalPosition::Normal;
        } else if (w == "super") {
            flushBytes(),
                f.position = on ? VerticalPosition::Superscript : VerticalPosition::Normal;
        } else if (w == "nosupersub") {
            flushBytes(), f.position = VerticalPosition::Normal;
        } else if (char16_t symbol = symbolOfWord(w)) {
            text(std::u16string_view(&symbol, 1));
        } else if (!isHarmlessWord(w) && state().dest == Dest::Text) {
            m_unsupported.emplace(w);
            if (std::getenv("YUEDU_RTF_DEBUG"))
                std::fprintf(stderr, "skipped \\%.*s\n", int(w.size()), w.data());
        }
    }

    std::optional<std::uint32_t> colorAt(int k) const {
        return k > 0 && k < static_cast<int>(m_colors.size()) ? m_colors[k] : std::nullopt;
    }

    void setFont(GroupState &s, int index) {
        s.fontIndex = index;
        s.format.fontName = fontName(index);
        auto it = m_fonts.find(index);
        s.format.fontFamily = it == m_fonts.end() ? FontFamily::Nil : it->second.family;
        // 136 (Big5) is what the writer gives a font without a character set.
        const int charset = it == m_fonts.end() ? -1 : it->second.charset;
        s.format.fontCharset = charset == 136 ? -1 : charset;
    }

    static bool losesContent(std::string_view w) {
        return w == "pict" || w == "object" || w == "shp" || w == "shppict" || w == "footnote" ||
               w == "header" || w == "headerl" || w == "headerr" || w == "headerf" ||
               w == "footer" || w == "footerl" || w == "footerr" || w == "footerf" ||
               w == "annotation";
    }

    bool paragraphWord(std::string_view w, std::optional<int> param) {
        ParagraphFormat &p = state().paragraph;
        // Lengths beyond 22 inches are damage, not layout.
        const int length = std::clamp(param.value_or(0), -31680, 31680);
        if (w == "pard")
            p = ParagraphFormat{};
        else if (w == "ql")
            p.alignment = Alignment::Left;
        else if (w == "qc")
            p.alignment = Alignment::Center;
        else if (w == "qr")
            p.alignment = Alignment::Right;
        else if (w == "qj")
            p.alignment = Alignment::Justify;
        else if (w == "li")
            p.leftIndent = length;
        else if (w == "ri")
            p.rightIndent = length;
        else if (w == "fi")
            p.firstLineIndent = length;
        else if (w == "sb")
            p.spaceBefore = std::max(0, length);
        else if (w == "sa")
            p.spaceAfter = std::max(0, length);
        else if (w == "sl")
            p.lineSpacing = length;
        else if (w == "slmult")
            p.lineMultiple = param.value_or(0) != 0;
        else
            return false;
        return true;
    }

    // The paragraph takes the paragraph properties in force at its break.
    void paragraphBreak() {
        if (state().dest != Dest::Text)
            return;
        m_doc.setParagraphFormat(m_paragraphIndex++, state().paragraph);
        m_paragraphHasText = false;
        text(u"\n");
        m_paragraphHasText = false;
    }

    void fontTableWord(std::string_view w, std::optional<int> param) {
        if (w == "f") {
            finishFontName();
            m_fontEntry = param.value_or(0);
            m_fonts[m_fontEntry];
        } else if (w == "fcharset" && m_fontEntry >= 0) {
            m_fonts[m_fontEntry].charset = param.value_or(0);
        } else if (m_fontEntry >= 0 && w.size() > 1 && w[0] == 'f') {
            static const std::pair<std::string_view, FontFamily> families[] = {
                {"fnil", FontFamily::Nil},       {"froman", FontFamily::Roman},
                {"fswiss", FontFamily::Swiss},   {"fmodern", FontFamily::Modern},
                {"fscript", FontFamily::Script}, {"fdecor", FontFamily::Decor},
                {"ftech", FontFamily::Tech},     {"fbidi", FontFamily::Bidi}};
            for (const auto &[name, family] : families)
                if (w == name)
                    m_fonts[m_fontEntry].family = family;
        }
    }

    void finishFontName() {
        if (m_fontEntry < 0)
            return;
        FontEntry &e = m_fonts[m_fontEntry];
        if (!e.nameBytes.empty()) {
            int cp = CodePageDecoder::codePageOfCharset(e.charset);
            e.name = m_decoder.decode(e.nameBytes, cp ? cp : m_ansiCodePage);
            e.nameBytes.clear();
            while (!e.name.empty() && (e.name.back() == u' ' || e.name.back() == u';'))
                e.name.pop_back();
            while (!e.name.empty() && e.name.front() == u' ')
                e.name.erase(0, 1);
        }
    }

    std::u16string fontName(int index) {
        auto it = m_fonts.find(index);
        return it == m_fonts.end() ? std::u16string() : it->second.name;
    }

    // A byte of text (from \'hh, an escaped symbol or a literal character).
    void byte(unsigned char b) {
        GroupState &s = state();
        if (s.dest == Dest::Skip)
            return;
        if (s.dest == Dest::FontTable) {
            if (b == ';') {
                if (m_fontEntry >= 0)
                    finishFontName();
            } else if (m_fontEntry >= 0 && m_fonts[m_fontEntry].name.empty()) {
                m_fonts[m_fontEntry].nameBytes += static_cast<char>(b);
            }
            return;
        }
        if (s.dest == Dest::ColorTable) {
            if (b == ';') {
                m_colors.push_back(m_color.any
                                       ? std::optional<std::uint32_t>((m_color.r << 16) |
                                                                      (m_color.g << 8) | m_color.b)
                                       : std::nullopt);
                m_color = {};
            }
            return;
        }
        if (consumeSkip())
            return;
        m_bytes += static_cast<char>(b);
    }

    bool consumeSkip() {
        if (m_skipCount <= 0)
            return false;
        --m_skipCount;
        return true;
    }

    int codePageOfState() {
        const GroupState &s = state();
        auto it = m_fonts.find(s.fontIndex);
        if (it != m_fonts.end()) {
            int cp = CodePageDecoder::codePageOfCharset(it->second.charset);
            if (cp)
                return cp;
        }
        return m_ansiCodePage;
    }

    void flushBytes() {
        if (m_bytes.empty())
            return;
        std::u16string t = m_decoder.decode(m_bytes, codePageOfState());
        m_bytes.clear();
        emit(t);
    }

    void text(std::u16string_view t) {
        if (state().dest != Dest::Text)
            return;
        flushBytes();
        emit(t);
    }

    void emit(std::u16string_view t) {
        if (!m_paragraphHasText) {
            m_paragraphHasText = true;
            m_openParagraph = state().paragraph;
        }
        const CharFormat &f = state().format;
        if (!(f == m_pendingFormat)) {
            flushText();
            m_pendingFormat = f;
        }
        m_pending.append(t);
    }

    void flushText() {
        m_doc.append(m_pending, m_pendingFormat);
        m_pending.clear();
    }

    static bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static bool isHex(char c) {
        return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }
    static int hexValue(char c) {
        return isDigit(c) ? c - '0' : (c >= 'a' ? c - 'a' + 10 : c - 'A' + 10);
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::size_t m_depth = 0;
    std::size_t m_overflow = 0;
    std::vector<GroupState> m_states;
    bool m_starPending = false;
    int m_skipCount = 0;
    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    std::map<int, FontEntry> m_fonts;
    int m_fontEntry = -1;
    std::vector<std::optional<std::uint32_t>> m_colors;
    struct {
        std::uint32_t r = 0, g = 0, b = 0;
        bool any = false;
    } m_color;
    std::string m_bytes;
    std::u16string m_pending;
    CharFormat m_pendingFormat;
    RichDocument m_doc;
    std::size_t m_paragraphIndex = 0;
    bool m_paragraphHasText = false;
    ParagraphFormat m_openParagraph;
    CodePageDecoder m_decoder;
    // The control words the document uses that this reader does not keep, each once.
    std::set<std::string, std::less<>> m_unsupported;
};

} // namespace

bool looksLikeRtf(std::string_view bytes) {
    std::size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        i = 3;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\t'))
        ++i;
    return bytes.substr(i, 5) == "{\\rtf";
}

RtfReadResult readRtf(std::string_view bytes, const std::string &source) {
    if (!looksLikeRtf(bytes))
        throw FormatError(source, "not an RTF document (it does not start with {\\rtf)");
    return Parser(bytes).run();
}

} // namespace yuedu::doc
