#include "langdata/codepage950.h"

#include <memory>
#include <stdexcept>
#include <unicode/ucnv.h>

namespace yuedu {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter() {
    UErrorCode status = U_ZERO_ERROR;
    Converter conv(ucnv_open("windows-950-2000", &status));
    if (U_FAILURE(status) || !conv)
        throw std::runtime_error("ICU has no windows-950-2000 converter");
    return conv;
}

} // namespace

const CodePage950& CodePage950::instance() {
    static const CodePage950 table;
    return table;
}

CodePage950::CodePage950() {
    Converter conv = openConverter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);

    for (std::uint32_t u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        UChar in = static_cast<UChar>(u);
        char out[8];
        status = U_ZERO_ERROR;
        ucnv_resetFromUnicode(conv.get());
        int32_t n = ucnv_fromUChars(conv.get(), out, sizeof out, &in, 1, &status);
        if (U_FAILURE(status))
            continue;
        if (n == 1)
            m_toCode[u] = static_cast<unsigned char>(out[0]);
        else if (n == 2)
            m_toCode[u] = static_cast<std::uint16_t>((static_cast<unsigned char>(out[0]) << 8) |
                                                     static_cast<unsigned char>(out[1]));
    }
    m_toUnicode.fill(u'\uFFFD');
    for (std::uint32_t b = 0; b < 0x80; ++b)
        m_toUnicode[b] = static_cast<char16_t>(b);
    for (std::uint32_t lead = 0x81; lead <= 0xFE; ++lead) {
        for (std::uint32_t trail = 0x40; trail <= 0xFE; ++trail) {
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            UChar out[4];
            status = U_ZERO_ERROR;
            ucnv_resetToUnicode(conv.get());
            int32_t n = ucnv_toUChars(conv.get(), out, 4, in, 2, &status);
            if (U_SUCCESS(status) && n == 1)
                m_toUnicode[(lead << 8) | trail] = out[0];
        }
    }
}

std::u16string CodePage950::decode(std::string_view bytes) const {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char16_t>(b));
        } else if (b >= 0x81 && b <= 0xFE && i + 1 < bytes.size()) {
            auto t = static_cast<unsigned char>(bytes[i + 1]);
            char16_t u = m_toUnicode[(b << 8) | t];
            if (u == u'\uFFFD' && !((t >= 0x40 && t <= 0x7E) || (t >= 0xA1 && t <= 0xFE))) {
                out.push_back(u); // the lead byte alone is broken; resync on the next byte
                continue;
            }
            out.push_back(u);
            ++i;
        } else {
            out.push_back(u'\uFFFD');
        }
    }
    return out;
}

std::string CodePage950::encode(std::u16string_view text, std::size_t* unmapped) const {
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
