#include "docfile/htmlreader.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include <gumbo.h>
#include <unicode/ucnv.h>

#include "langdata/textcodec.h"

namespace yuedu::doc {

namespace {

const char *const kRuby = "注音標示（ruby）%d 處未讀入，只讀其本字";
const char *const kNavigation = "導覽區（nav）%d 個未讀入";
const char *const kHidden = "隱藏的元素 %d 個未讀入";

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

struct GumboParse {
    GumboOptions options = kGumboDefaultOptions;
    GumboOutput *output = nullptr;
    explicit GumboParse(std::string_view utf8) {
        options.max_errors = 100; // their list is never read; junk should not fill memory
        output = gumbo_parse_with_options(&options, utf8.data(), utf8.size());
    }
    ~GumboParse() { gumbo_destroy_output(&options, output); }
    GumboParse(const GumboParse &) = delete;
    GumboParse &operator=(const GumboParse &) = delete;
};

const char *attributeValue(const GumboElement &e, const char *name) {
    const GumboAttribute *a = gumbo_get_attribute(&e.attributes, name);
    return a ? a->value : nullptr;
}

bool isBlock(GumboTag tag) {
    switch (tag) {
    case GUMBO_TAG_ADDRESS:
    case GUMBO_TAG_ARTICLE:
    case GUMBO_TAG_ASIDE:
    case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_BODY:
    case GUMBO_TAG_CAPTION:
    case GUMBO_TAG_CENTER:
    case GUMBO_TAG_DD:
    case GUMBO_TAG_DETAILS:
    case GUMBO_TAG_DIR:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_DL:
    case GUMBO_TAG_DT:
    case GUMBO_TAG_FIELDSET:
    case GUMBO_TAG_FIGCAPTION:
    case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_FORM:
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
    case GUMBO_TAG_HEADER:
    case GUMBO_TAG_HGROUP:
    case GUMBO_TAG_HR:
    case GUMBO_TAG_LI:
    case GUMBO_TAG_MAIN:
    case GUMBO_TAG_MENU:
    case GUMBO_TAG_OL:
    case GUMBO_TAG_P:
    case GUMBO_TAG_PRE:
    case GUMBO_TAG_SECTION:
    case GUMBO_TAG_SUMMARY:
    case GUMBO_TAG_TABLE:
    case GUMBO_TAG_TBODY:
    case GUMBO_TAG_THEAD:
    case GUMBO_TAG_TFOOT:
    case GUMBO_TAG_TR:
    case GUMBO_TAG_TD:
    case GUMBO_TAG_TH:
    case GUMBO_TAG_UL:
    case GUMBO_TAG_LEGEND:
    case GUMBO_TAG_OPTION:
    case GUMBO_TAG_BR:
        return true;
    default:
        return false;
    }
}

bool hidden(const GumboElement &e) {
    if (attributeValue(e, "hidden"))
        return true;
    const char *style = attributeValue(e, "style");
    if (!style)
        return false;
    std::string s;
    for (const char *p = style; *p; ++p)
        if (*p != ' ' && *p != '\t')
            s += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    return s.find("display:none") != std::string::npos;
}

// A character that is laid out without blanks between words (CJK, kana, fullwidth forms): a
// line end in the source between two of them is no blank.
bool isWide(char16_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0xD800 && c <= 0xDFFF);
}

class HtmlWalker {
public:
    explicit HtmlWalker(TextBuilder &out) : m_out(out) {}

    void run(const GumboNode *root) {
        // An explicit stack: deeply nested pages must not exhaust the call stack.
        struct Frame {
            const GumboNode *node;
            unsigned next;
        };
        std::vector<Frame> stack;
        if (!enter(root))
            return;
        stack.push_back({root, 0});
        while (!stack.empty()) {
            Frame &top = stack.back();
            const GumboVector &children = top.node->v.element.children;
            if (top.next >= children.length) {
                leave(top.node);
                stack.pop_back();
                continue;
            }
            const auto *c = static_cast<const GumboNode *>(children.data[top.next++]);
            if (c->type == GUMBO_NODE_TEXT || c->type == GUMBO_NODE_CDATA ||
                c->type == GUMBO_NODE_WHITESPACE)
                text(c->v.text.text);
            else if ((c->type == GUMBO_NODE_ELEMENT || c->type == GUMBO_NODE_TEMPLATE) && enter(c))
                stack.push_back({c, 0});
        }
    }

private:
    bool enter(const GumboNode *node) {
        const GumboElement &e = node->v.element;
        switch (e.tag) {
        case GUMBO_TAG_HEAD:
        case GUMBO_TAG_SCRIPT:
        case GUMBO_TAG_STYLE:
        case GUMBO_TAG_NOSCRIPT:
        case GUMBO_TAG_TEMPLATE:
        case GUMBO_TAG_IFRAME:
        case GUMBO_TAG_OBJECT:
        case GUMBO_TAG_EMBED:
        case GUMBO_TAG_TITLE:
        case GUMBO_TAG_RP:
            return false;
        case GUMBO_TAG_RT:
        case GUMBO_TAG_RTC:
            m_out.leave(kRuby);
            return false;
        case GUMBO_TAG_NAV:
            m_out.leave(kNavigation);
            return false;
        default:
            break;
        }
        if (node->type == GUMBO_NODE_TEMPLATE)
            return false;
        if (hidden(e)) {
            m_out.leave(kHidden);
            return false;
        }
        if (isBlock(e.tag))
            breakLine();
        if (e.tag == GUMBO_TAG_PRE)
            ++m_pre;
        return true;
    }

    void leave(const GumboNode *node) {
        const GumboElement &e = node->v.element;
        if (e.tag == GUMBO_TAG_PRE)
            --m_pre;
        if (isBlock(e.tag))
            breakLine();
    }

    void breakLine() {
        m_out.endParagraph();
        m_space = m_newline = false;
    }

    void text(const char *utf8) {
        const std::u16string t = fromUtf8(utf8);
        if (m_pre > 0) {
            for (char16_t c : t) {
                if (c == u'\n')
                    m_out.endParagraph();
                else if (c != u'\r')
                    m_out.append(c);
            }
            return;
        }
        // Blanks collapse to one; a run with a line end between two wide characters vanishes.
        for (char16_t c : t) {
            if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f') {
                m_space = true;
                m_newline = m_newline || c == u'\n' || c == u'\r';
                continue;
            }
            if (m_space && !m_out.atParagraphStart() &&
                !(m_newline && isWide(m_out.last()) && isWide(c)))
                m_out.append(u' ');
            m_space = m_newline = false;
            m_out.append(c);
        }
    }

    TextBuilder &m_out;
    int m_pre = 0;
    bool m_space = false, m_newline = false;
};

// The charset named by a content-type value ("text/html; charset=big5").
std::string charsetOfContentType(std::string_view content) {
    const std::string l = lower(content);
    const auto at = l.find("charset");
    if (at == std::string::npos)
        return {};
    std::size_t i = at + 7;
    while (i < l.size() && (l[i] == ' ' || l[i] == '='))
        ++i;
    if (i < l.size() && (l[i] == '"' || l[i] == '\''))
        ++i;
    std::size_t end = i;
    while (end < l.size() && l[end] != ';' && l[end] != ' ' && l[end] != '"' && l[end] != '\'')
        ++end;
    return l.substr(i, end - i);
}

void skipBlanksAndComments(std::string_view &s) {
    for (;;) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\n' ||
                              s.front() == '\r' || s.front() == '\f'))
            s.remove_prefix(1);
        if (!s.starts_with("<!--"))
            return;
        const auto end = s.find("-->");
        s = end == std::string_view::npos ? std::string_view() : s.substr(end + 3);
    }
}

// Decodes in a character set ICU knows by that name; nullopt when it does not.
std::optional<std::u16string> decodeWithIcu(std::string_view bytes, const std::string &charset) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter *conv = ucnv_open(charset.c_str(), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    std::u16string out(bytes.size() * 2 + 2, u'\0');
    const int32_t n = ucnv_toUChars(conv, out.data(), static_cast<int32_t>(out.size()),
                                    bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    ucnv_close(conv);
    if (U_FAILURE(status))
        return std::nullopt;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

} // namespace

bool looksLikeHtml(std::string_view bytes) {
    std::string_view s = bytes.substr(0, 4096);
    if (s.starts_with("\xEF\xBB\xBF"))
        s.remove_prefix(3);
    skipBlanksAndComments(s);
    if (s.starts_with("<?xml")) {
        const auto end = s.find("?>");
        if (end == std::string_view::npos)
            return false;
        s.remove_prefix(end + 2);
        skipBlanksAndComments(s);
    }
    const std::string head = lower(s.substr(0, 15));
    return head.starts_with("<!doctype html") || head.starts_with("<html") ||
           head.starts_with("<head") || head.starts_with("<body");
}

std::string declaredCharset(std::string_view bytes) {
    // The declaration belongs in the first kilobytes; gumbo reads them as they are (a page's
    // markup is ASCII whatever its text's encoding).
    const std::string prefix(bytes.substr(0, 4096));
    GumboParse parse(prefix);
    std::vector<const GumboNode *> stack{parse.output->root};
    while (!stack.empty()) {
        const GumboNode *n = stack.back();
        stack.pop_back();
        if (n->type != GUMBO_NODE_ELEMENT)
            continue;
        const GumboElement &e = n->v.element;
        if (e.tag == GUMBO_TAG_META) {
            if (const char *charset = attributeValue(e, "charset"))
                return lower(charset);
            const char *equiv = attributeValue(e, "http-equiv");
            const char *content = attributeValue(e, "content");
            if (equiv && content && lower(equiv) == "content-type") {
                std::string c = charsetOfContentType(content);
                if (!c.empty())
                    return c;
            }
        }
        if (e.tag == GUMBO_TAG_BODY)
            continue;
        for (unsigned i = e.children.length; i-- > 0;)
            stack.push_back(static_cast<const GumboNode *>(e.children.data[i]));
    }
    return {};
}

void appendHtmlText(std::string_view utf8, TextBuilder &out) {
    GumboParse parse(utf8);
    HtmlWalker walker(out);
    walker.run(parse.output->root);
    out.endParagraph();
}

ExtractedText readHtml(std::string_view bytes) {
    TextBuilder out;
    std::u16string text;
    const bool bom = bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
                     bytes.starts_with("\xFE\xFF");
    const std::string charset = bom ? std::string() : declaredCharset(bytes);
    std::optional<TextEncoding> known;
    if (charset == "utf-8" || charset == "utf8")
        known = TextEncoding::Utf8;
    else if (charset == "big5" || charset == "big5-hkscs" || charset == "x-x-big5" ||
             charset == "cn-big5" || charset == "csbig5" || charset == "x-big5" ||
             charset == "windows-950" || charset == "cp950" || charset == "ms950")
        known = TextEncoding::Big5;
    else if (charset == "utf-16le")
        known = TextEncoding::Utf16LE;
    else if (charset == "utf-16be")
        known = TextEncoding::Utf16BE;
    std::optional<std::u16string> icu;
    if (!known && !charset.empty() && charset.rfind("utf-16", 0) != 0)
        icu = decodeWithIcu(bytes, charset);
    if (icu) {
        text = std::move(*icu);
    } else {
        const DecodedText d = decodeTextDetailed(bytes, known.value_or(TextEncoding::Auto));
        text = d.text;
        if (!charset.empty() && !known)
            out.note("網頁宣告的編碼「" + charset + "」無法辨認，改依內容判斷為 " +
                     encodingName(d.encoding));
        else if (!known && d.ambiguous)
            out.note(std::string("網頁沒有宣告編碼，依內容判斷為 ") + encodingName(d.encoding));
        if (d.replaced > 0)
            out.note(std::to_string(d.replaced) + " 個無法解碼的位元組以 U+FFFD 代替");
    }
    appendHtmlText(toUtf8(text), out);
    return out.finish();
}

} // namespace yuedu::doc
