// Build tool: writes the code page 950 tables as C++ arrays, so that the program reads them
// from its image instead of asking ICU for some 90,000 conversions at every start; the Big5
// ordinal of every character and the character of every ordinal; and the tiers of hanzi that
// the guess of a text's encoding weighs (the frequent hanzi with their Simplified forms by ICU's
// Hant-Hans, the first level of GB2312, the characters GBK writes in two bytes), instead of
// building ICU's transliterator and converting every GBK code at every start; and the points
// of every character of the BMP for that guess.
//
//   yuedu_codepage950gen OUTPUT.cpp
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unistr.h>
#include <vector>

#include "langdata/big5.h"
#include "langdata/constants.h"
#include "langdata/hanzipoints.h"

namespace {

struct ConverterCloser {
    void operator()(UConverter *c) const { ucnv_close(c); }
};

template <typename T>
void writeArray(std::FILE *out, const char *type, const char *name, const std::vector<T> &values) {
    std::fprintf(out, "extern const %s %s[%zu] = {", type, name, values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        std::fprintf(out, "%s%d,", i % 16 ? "" : "\n", int(values[i]));
    std::fprintf(out, "\n};\n");
}

// Puts U+FFFD for each sequence ICU cannot convert.
void replaceToUnicode(const void *, UConverterToUnicodeArgs *args, const char *, int32_t,
                      UConverterCallbackReason reason, UErrorCode *status) {
    if (reason > UCNV_IRREGULAR)
        return; // reset, close, clone
    *status = U_ZERO_ERROR;
    const UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

// Bit 4: the characters GB18030 writes in two bytes (those of GBK); tier 2: the first level of
// GB2312 (the 3755 everyday Simplified hanzi); tier 3: the frequent hanzi in either script.
bool hanziTiers(const std::u16string &common, const icu::UnicodeString &simplified,
                std::vector<std::uint8_t> &t) {
    constexpr std::uint8_t kGbkTwoBytes = 4;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> gb(ucnv_open("gb18030", &status));
    if (U_FAILURE(status) || !gb)
        return false;
    ucnv_setToUCallBack(gb.get(), replaceToUnicode, nullptr, nullptr, nullptr, &status);
    std::string pairs;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            if (trail != 0x7F)
                pairs += {static_cast<char>(lead), static_cast<char>(trail)};
    std::u16string gbk(pairs.size() + 1, u'\0');
    UChar *target = reinterpret_cast<UChar *>(gbk.data());
    const char *source = pairs.data();
    ucnv_toUnicode(gb.get(), &target, target + gbk.size(), &source, pairs.data() + pairs.size(),
                   nullptr, true, &status);
    if (U_FAILURE(status))
        return false;
    gbk.resize(static_cast<std::size_t>(target - reinterpret_cast<UChar *>(gbk.data())));
    t.assign(65536, 0);
    for (std::size_t i = 0; i < gbk.size() && i < pairs.size() / 2; ++i) {
        if (gbk[i] == u'\uFFFD')
            continue;
        t[gbk[i]] |= kGbkTwoBytes;
        const auto lead = static_cast<unsigned char>(pairs[2 * i]);
        const auto trail = static_cast<unsigned char>(pairs[2 * i + 1]);
        if (lead >= 0xB0 && lead <= 0xD7 && trail >= 0xA1 && (lead != 0xD7 || trail <= 0xF9))
            t[gbk[i]] |= 2;
    }
    for (char16_t c : common)
        t[c] = (t[c] & kGbkTwoBytes) | 3;
    for (int32_t i = 0; i < simplified.length(); ++i) {
        const char16_t c = simplified.charAt(i);
        t[c] = (t[c] & kGbkTwoBytes) | 3;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp\n", argv[0]);
        return 2;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> conv(ucnv_open("windows-950-2000", &status));
    if (U_FAILURE(status) || !conv) {
        std::fprintf(stderr, "ICU has no windows-950-2000 converter\n");
        return 1;
    }
    ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);

    // Each character and each code on its own, so that no state carries from one to the next.
    std::vector<std::uint16_t> toCode(65536, 0);
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
            toCode[u] = static_cast<unsigned char>(out[0]);
        else if (n == 2)
            toCode[u] = static_cast<std::uint16_t>((static_cast<unsigned char>(out[0]) << 8) |
                                                   static_cast<unsigned char>(out[1]));
    }
    std::vector<std::uint16_t> toUnicode(65536, 0xFFFD);
    for (std::uint32_t b = 0; b < 0x80; ++b)
        toUnicode[b] = static_cast<std::uint16_t>(b);
    for (std::uint32_t lead = 0x81; lead <= 0xFE; ++lead) {
        for (std::uint32_t trail = 0x40; trail <= 0xFE; ++trail) {
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            UChar out[4];
            status = U_ZERO_ERROR;
            ucnv_resetToUnicode(conv.get());
            int32_t n = ucnv_toUChars(conv.get(), out, 4, in, 2, &status);
            if (U_SUCCESS(status) && n == 1)
                toUnicode[(lead << 8) | trail] = out[0];
        }
    }

    const std::u16string &common = yuedu::constants::CommonCharList();
    status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> toSimplified(
        icu::Transliterator::createInstance("Hant-Hans", UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !toSimplified) {
        std::fprintf(stderr, "ICU has no Hant-Hans transliterator\n");
        return 1;
    }
    icu::UnicodeString simplified(false, reinterpret_cast<const UChar *>(common.data()),
                                  static_cast<int32_t>(common.size()));
    toSimplified->transliterate(simplified);
    std::vector<std::uint8_t> tiers;
    if (!hanziTiers(common, simplified, tiers)) {
        std::fprintf(stderr, "ICU has no gb18030 converter\n");
        return 1;
    }

    // The ordinal of every UTF-16 unit (-1 for none) and the character of every ordinal of the
    // hanzi proper (A440..C67E and C940..F9DC).
    std::vector<std::int16_t> ordinal(65536, -1);
    for (std::uint32_t u = 0; u < 0x10000; ++u) {
        const std::uint16_t code = toCode[u];
        const int n = code >= 0x8000 ? yuedu::big5ordinalOfCode(code) : -1;
        if (n >= 0 && n < yuedu::kTableChars)
            ordinal[u] = static_cast<std::int16_t>(n);
    }
    std::vector<std::uint16_t> charOf(yuedu::kTableChars, 0);
    for (std::uint32_t code = 0xA440; code <= 0xF9DC; ++code) {
        const std::uint32_t lo = code & 0xFF;
        if (!((lo >= 0x40 && lo <= 0x7E) || (lo >= 0xA1 && lo <= 0xFE)))
            continue;
        if (code > 0xC67E && code < 0xC940)
            continue;
        const int n = yuedu::big5ordinalOfCode(static_cast<std::uint16_t>(code));
        if (n >= 0 && n < yuedu::kTableChars)
            charOf[n] = toUnicode[code];
    }

    std::FILE *out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "// Generated by yuedu_codepage950gen from ICU's windows-950-2000 table.\n"
                      "#include <cstdint>\n"
                      "namespace yuedu::cp950 {\n");
    writeArray(out, "std::uint16_t", "kToCode", toCode);
    writeArray(out, "char16_t", "kToUnicode", toUnicode);
    writeArray(out, "std::int16_t", "kOrdinal", ordinal);
    writeArray(out, "char16_t", "kCharOfOrdinal", charOf);
    writeArray(out, "std::uint8_t", "kHanziTiers", tiers);
    std::vector<std::int8_t> pointsTwice(65536);
    for (char32_t cp = 0; cp < 65536; ++cp)
        pointsTwice[cp] =
            static_cast<std::int8_t>(yuedu::hanziPoints(cp, tiers[cp], ordinal[cp]) * 2);
    writeArray(out, "std::int8_t", "kBmpPointsTwice", pointsTwice);
    std::fprintf(out, "} // namespace yuedu::cp950\n");
    const bool written = !std::ferror(out);
    return std::fclose(out) == 0 && written ? 0 : 1;
}
