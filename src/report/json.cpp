#include "report/json.h"

#include <cmath>

#include "report/numberformat.h"

namespace yuedu::report {
namespace {

void appendEscape(std::string &out, unsigned value) {
    static const char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(value >> shift) & 0xF];
}

// The length of the well-formed UTF-8 sequence at s[i], 0 when there is none.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF; // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        lo = b == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        hi = b == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        lo = b == 0xF0 ? 0x90 : 0x80;
        hi = b == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (i + n > s.size() || byte(i + 1) < lo || byte(i + 1) > hi)
        return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return n;
}

void appendAscii(std::string &out, char16_t c) {
    if (c == u'"' || c == u'\\') {
        out += '\\';
        out += static_cast<char>(c);
    } else if (c < 0x20) {
        appendEscape(out, c);
    } else {
        out += static_cast<char>(c);
    }
}

} // namespace

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            appendAscii(out, b);
            ++i;
        } else if (const std::size_t n = sequenceLength(utf8, i)) {
            out.append(utf8, i, n);
            i += n;
        } else {
            appendEscape(out, 0xDC00u + b);
            ++i;
        }
    }
    return out + "\"";
}

std::string jsonString(std::u16string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c < 0x80) {
            appendAscii(out, static_cast<char16_t>(c));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            const bool paired = c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                                text[i + 1] <= 0xDFFF;
            if (!paired) {
                appendEscape(out, c);
                continue;
            }
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        }
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out + "\"";
}

bool isJsonNumber(std::string_view t) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i;
        return i - start;
    };
    if (i < t.size() && t[i] == '-')
        ++i;
    if (i < t.size() && t[i] == '0')
        ++i;
    else if (digits() == 0)
        return false;
    if (i < t.size() && t[i] == '.') {
        ++i;
        if (digits() == 0)
            return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == t.size();
}

void JsonObject::name(std::string_view name) {
    m_text += m_text.empty() ? "{" : ",";
    m_text += jsonString(name);
    m_text += ':';
}

JsonObject &JsonObject::add(std::string_view name, std::string_view utf8Text) {
    this->name(name);
    m_text += jsonString(utf8Text);
    return *this;
}

JsonObject &JsonObject::add(std::string_view name, std::u16string_view text) {
    this->name(name);
    m_text += jsonString(text);
    return *this;
}

JsonObject &JsonObject::addNumber(std::string_view name, std::string_view number) {
    this->name(name);
    m_text += isJsonNumber(number) ? std::string(number) : std::string("null");
    return *this;
}

JsonObject &JsonObject::addNumber(std::string_view name, double value) {
    return addNumber(name, std::isfinite(value) ? generalNumber(value) : std::string());
}

JsonObject &JsonObject::addBool(std::string_view name, bool value) {
    this->name(name);
    m_text += value ? "true" : "false";
    return *this;
}

JsonObject &JsonObject::addNull(std::string_view name) {
    this->name(name);
    m_text += "null";
    return *this;
}

} // namespace yuedu::report
