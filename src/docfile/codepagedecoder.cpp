#include "docfile/codepagedecoder.h"

#include <unicode/ucnv.h>

#include "langdata/codepage950.h"

namespace yuedu::doc {

void CodePageDecoder::Closer::operator()(UConverter *c) const {
    ucnv_close(c);
}

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

int CodePageDecoder::codePageOfCharset(int charset) {
    switch (charset) {
    case 0:
    case 1:
        return 0; // ANSI / default: the document's \ansicpg
    case 2:
        return 1252; // symbol fonts: keep the bytes as Latin-1-like characters
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    default:
        return 0;
    }
}

UConverter *CodePageDecoder::converter(int codePage) {
    auto it = m_converters.find(codePage);
    if (it != m_converters.end())
        return it->second.get();
    UErrorCode status = U_ZERO_ERROR;
    std::string name = codePage == 10000 ? "macintosh" : "windows-" + std::to_string(codePage);
    UConverter *c = ucnv_open(name.c_str(), &status);
    if (U_FAILURE(status) || !c) {
        if (c)
            ucnv_close(c);
        if (codePage == 1252)
            return nullptr;
        return converter(1252);
    }
    m_converters.emplace(codePage, std::unique_ptr<UConverter, Closer>(c));
    return c;
}

std::u16string CodePageDecoder::decode(std::string_view bytes, int codePage) {
    if (bytes.empty())
        return {};
    if (codePage == 950)
        return CodePage950::instance().decode(bytes);
    UConverter *c = converter(codePage);
    std::u16string out;
    if (!c) { // no ICU table at all: bytes as Latin-1
        for (char b : bytes)
            out += static_cast<char16_t>(static_cast<unsigned char>(b));
        return out;
    }
    out.resize(bytes.size() * 2 + 4);
    UErrorCode status = U_ZERO_ERROR;
    int32_t n =
        ucnv_toUChars(c, reinterpret_cast<UChar *>(out.data()), static_cast<int32_t>(out.size()),
                      bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        n = 0;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

} // namespace yuedu::doc
