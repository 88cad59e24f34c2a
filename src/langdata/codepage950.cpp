#include "langdata/codepage950.h"

namespace yuedu {
namespace cp950 {
// Generated at build time (codepage950gen.cpp).
extern const std::uint16_t kToCode[65536];
extern const char16_t kToUnicode[65536];
} // namespace cp950

const CodePage950 &CodePage950::instance() {
    static const CodePage950 table;
    return table;
}

CodePage950::CodePage950() : m_toCode(cp950::kToCode), m_toUnicode(cp950::kToUnicode) {}

std::u16string CodePage950::decode(std::string_view bytes) const {
    std::u16string out;
    decode(bytes, out);
    return out;
}

std::size_t CodePage950::decode(std::string_view bytes, std::u16string &out) const {
    // At most one character a byte, written in place.
    out.resize(bytes.size());
    char16_t *o = out.data();
    std::size_t replaced = 0;
    decodeRun(bytes, 0, bytes.size(), o, replaced);
    out.resize(static_cast<std::size_t>(o - out.data()));
    return replaced;
}

std::size_t CodePage950::decodeRun(std::string_view bytes, std::size_t i, std::size_t limit,
                                   char16_t *&o, std::size_t &replaced) const {
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t size = bytes.size();
    for (; i < limit; ++i) {
        const unsigned lead = b[i];
        if (lead < 0x80) {
            *o++ = static_cast<char16_t>(lead);
        } else if (lead >= 0x81 && lead <= 0xFE && i + 1 < size) {
            const unsigned t = b[i + 1];
            const char16_t u = m_toUnicode[(lead << 8) | t];
            *o++ = u;
            replaced += u == u'\uFFFD';
            // A lead byte that is broken alone resyncs on the next byte.
            if (u != u'\uFFFD' || (t >= 0x40 && t <= 0x7E) || (t >= 0xA1 && t <= 0xFE))
                ++i;
        } else {
            *o++ = u'\uFFFD';
            ++replaced;
        }
    }
    return i;
}

std::string CodePage950::encode(std::u16string_view text, std::size_t *unmapped) const {
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t missing = 0;
    for (char16_t c : text) {
        std::uint16_t code = m_toCode[c];
        if (code == 0 && c != 0) {
            out.push_back('?');
            ++missing;
        } else if (code >= 0x100) {
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        } else {
            out.push_back(static_cast<char>(code));
        }
    }
    if (unmapped)
        *unmapped = missing;
    return out;
}

} // namespace yuedu
