#include "langdata/textcodec.h"

#include "langdata/codepage950.h"

namespace yuedu {
namespace {

// Length of the UTF-8 sequence at i, or 0 when it is not a valid one.
std::size_t utf8Sequence(std::string_view s, std::size_t i, char32_t &cp) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    std::size_t n;
    char32_t min;
    if ((b & 0xE0) == 0xC0) {
        n = 2, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, cp = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

std::u16string fromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto a = static_cast<unsigned char>(bytes[i]);
        auto b = static_cast<unsigned char>(bytes[i + 1]);
        out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    if (bytes.size() % 2)
        out.push_back(u'\uFFFD');
    return out;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    char32_t cp;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n = utf8Sequence(bytes, i, cp);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::u16string fromUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    char32_t cp;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n = utf8Sequence(bytes, i, cp);
        if (n == 0) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::u16string decodeText(std::string_view bytes, TextEncoding encoding, TextEncoding *detected) {
    auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    if (encoding == TextEncoding::Auto) {
        if (starts("\xEF\xBB\xBF"))
            encoding = TextEncoding::Utf8;
        else if (starts("\xFF\xFE"))
            encoding = TextEncoding::Utf16LE;
        else if (starts("\xFE\xFF"))
            encoding = TextEncoding::Utf16BE;
        else
            encoding = isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Big5;
    }
    if (detected)
        *detected = encoding;
    switch (encoding) {
    case TextEncoding::Utf8:
        return fromUtf8(starts("\xEF\xBB\xBF") ? bytes.substr(3) : bytes);
    case TextEncoding::Utf16LE:
        return fromUtf16(starts("\xFF\xFE") ? bytes.substr(2) : bytes, false);
    case TextEncoding::Utf16BE:
        return fromUtf16(starts("\xFE\xFF") ? bytes.substr(2) : bytes, true);
    default:
        return CodePage950::instance().decode(bytes);
    }
}

DecodedText decodeTextDetailed(std::string_view bytes, TextEncoding encoding) {
    DecodedText d;
    d.text = decodeText(bytes, encoding, &d.encoding);
    for (char16_t c : d.text)
        d.replaced += c == u'\uFFFD';
    d.binary = bytes.find('\0') != std::string_view::npos;
    return d;
}

const char *encodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Big5:
        return "Big5";
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Utf16LE:
        return "UTF-16LE";
    case TextEncoding::Utf16BE:
        return "UTF-16BE";
    default:
        return "auto";
    }
}

} // namespace yuedu
