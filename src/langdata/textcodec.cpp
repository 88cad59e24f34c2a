#include "langdata/textcodec.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucsdet.h>
#include <unicode/unistr.h>

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/constants.h"
#include "langdata/hanzipoints.h"

namespace yuedu {
namespace cp950 {
// Generated at build time (codepage950gen.cpp): the tiers of hanziTiers and the points of
// bmpPointsTwice below.
extern const std::uint8_t kHanziTiers[65536];
extern const std::int8_t kBmpPointsTwice[65536];
} // namespace cp950

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

void fromUtf16(std::string_view bytes, bool bigEndian, std::size_t &bad, std::u16string &out) {
    out.clear();
    out.reserve(bytes.size() / 2 + 1);
    auto unit = [&](std::size_t i) {
        auto a = static_cast<unsigned char>(bytes[i]);
        auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    const std::size_t n = bytes.size() / 2;
    for (std::size_t k = 0; k < n; ++k) {
        char16_t c = unit(2 * k);
        if (c >= 0xD800 && c <= 0xDBFF && k + 1 < n && unit(2 * k + 2) >= 0xDC00 &&
            unit(2 * k + 2) <= 0xDFFF) {
            out.push_back(c);
            out.push_back(unit(2 * ++k));
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out.push_back(u'\uFFFD');
            ++bad;
        } else {
            out.push_back(c);
        }
    }
    if (bytes.size() % 2) {
        out.push_back(u'\uFFFD');
        ++bad;
    }
}

void fromUtf32(std::string_view bytes, bool bigEndian, std::size_t &bad, std::u16string &out) {
    out.clear();
    out.reserve(bytes.size() / 4 + 1);
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size() / 4;
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned char *q = b + 4 * k;
        const char32_t cp =
            bigEndian ? char32_t(q[0]) << 24 | char32_t(q[1]) << 16 | char32_t(q[2]) << 8 | q[3]
                      : char32_t(q[3]) << 24 | char32_t(q[2]) << 16 | char32_t(q[1]) << 8 | q[0];
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(u'\uFFFD');
            ++bad;
        } else if (cp >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    if (bytes.size() % 4) {
        out.push_back(u'\uFFFD');
        ++bad;
    }
}

// Counts what ICU could not convert and puts U+FFFD in its place (a U+FFFD of the file itself
// is no replacement, so the output is not counted afterwards).
void countingToUnicode(const void *context, UConverterToUnicodeArgs *args, const char *,
                       int32_t length, UConverterCallbackReason reason, UErrorCode *status) {
    if (reason > UCNV_IRREGULAR)
        return; // reset, close, clone
    auto *bad = static_cast<std::size_t *>(const_cast<void *>(context));
    *bad += static_cast<std::size_t>(length > 0 ? 1 : 0);
    *status = U_ZERO_ERROR;
    const UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

struct ConverterCloser {
    void operator()(UConverter *c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(const char *name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter c(ucnv_open(name, &status));
    if (U_FAILURE(status))
        return nullptr;
    return c;
}

// GB18030 through ICU's converter, each invalid or cut sequence one U+FFFD.
void fromGb18030(std::string_view bytes, std::size_t &bad, std::u16string &out) {
    Converter c = openConverter("gb18030");
    if (!c) {
        bad += bytes.size();
        out.assign(bytes.size(), u'\uFFFD');
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(c.get(), countingToUnicode, &bad, nullptr, nullptr, &status);
    out.resize(bytes.size() + 1); // never more units than bytes, and a cut end gives one
    UChar *target = reinterpret_cast<UChar *>(out.data());
    const char *source = bytes.data();
    ucnv_toUnicode(c.get(), &target, target + out.size(), &source, bytes.data() + bytes.size(),
                   nullptr, true, &status);
    out.resize(static_cast<std::size_t>(target - reinterpret_cast<UChar *>(out.data())));
}

#if defined(__x86_64__) || defined(__i386__)
// The run loop of utf8Run four sequences at a time (SSSE3), as long as the next four are all
// of the usual three bytes and start before limit; gives where it stopped.
__attribute__((target("ssse3"))) std::size_t hanziRunSsse3(const unsigned char *b, std::size_t size,
                                                           std::size_t i, std::size_t limit,
                                                           char16_t *&o) {
    // Each sequence's three bytes in a 32-bit lane, the lead lowest.
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i units = _mm_setr_epi8(0, 1, 4, 5, 8, 9, 12, 13, -1, -1, -1, -1, -1, -1, -1, -1);
    while (i + 16 <= size && i + 9 < limit) {
        const __m128i x =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(b + i)), spread);
        // Lead 1110xxxx but E0 (overlong) and ED (surrogates), then two of 10xxxxxx.
        const __m128i form =
            _mm_cmpeq_epi32(_mm_and_si128(x, _mm_set1_epi32(0xC0C0F0)), _mm_set1_epi32(0x8080E0));
        const __m128i low = _mm_and_si128(x, _mm_set1_epi32(0x0F));
        const __m128i excluded = _mm_or_si128(_mm_cmpeq_epi32(low, _mm_setzero_si128()),
                                              _mm_cmpeq_epi32(low, _mm_set1_epi32(0x0D)));
        if (_mm_movemask_epi8(_mm_andnot_si128(excluded, form)) != 0xFFFF)
            break;
        const __m128i u = _mm_or_si128(
            _mm_slli_epi32(low, 12),
            _mm_or_si128(
                _mm_slli_epi32(_mm_and_si128(_mm_srli_epi32(x, 8), _mm_set1_epi32(0x3F)), 6),
                _mm_and_si128(_mm_srli_epi32(x, 16), _mm_set1_epi32(0x3F))));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(o), _mm_shuffle_epi8(u, units));
        o += 4;
        i += 12;
    }
    return i;
}
#endif

// Decodes the UTF-8 sequences that start from i up to limit (reading on past it as far as a
// sequence needs) at o, counting the bytes it had to replace (a literal U+FFFD in the file is
// not a replacement); gives where the next sequence starts. At most one unit a byte.
std::size_t utf8Run(std::string_view bytes, std::size_t i, std::size_t limit, char16_t *&o,
                    std::size_t &bad) {
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t size = bytes.size();
#if defined(__x86_64__) || defined(__i386__)
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
#endif
    char32_t cp;
    while (i < limit) {
        // Runs of the usual three-byte sequence (E1..EC, EE, EF: never overlong, never a
        // surrogate), the hanzi of a Chinese text, in a loop of their own.
#if defined(__x86_64__) || defined(__i386__)
        if (ssse3)
            i = hanziRunSsse3(b, size, i, limit, o);
#endif
        while (i < limit && i + 2 < size) {
            const unsigned lead = b[i];
            const unsigned c1 = b[i + 1] ^ 0x80U, c2 = b[i + 2] ^ 0x80U;
            if (lead - 0xE1U > 0xEFU - 0xE1U || lead == 0xED || (c1 | c2) > 0x3F)
                break;
            *o++ = static_cast<char16_t>((lead & 0x0F) << 12 | c1 << 6 | c2);
            i += 3;
        }
        if (i >= limit)
            break;
        const unsigned char lead = b[i];
        if (lead < 0x80) {
            *o++ = lead;
            ++i;
            continue;
        }
        if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && i + 2 < size &&
            (b[i + 1] & 0xC0) == 0x80 && (b[i + 2] & 0xC0) == 0x80) {
            *o++ = static_cast<char16_t>((lead & 0x0F) << 12 | (b[i + 1] & 0x3F) << 6 |
                                         (b[i + 2] & 0x3F));
            i += 3;
            continue;
        }
        std::size_t n = utf8Sequence(bytes, i, cp);
        if (n == 0) {
            *o++ = u'\uFFFD';
            ++bad;
            ++i;
            continue;
        }
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            *o++ = static_cast<char16_t>(0xD800 + (cp >> 10));
            *o++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            *o++ = static_cast<char16_t>(cp);
        }
    }
    return i;
}

// fromUtf8 that also counts the bytes it had to replace.
void fromUtf8Counting(std::string_view bytes, std::size_t &bad, std::u16string &out) {
    // Written in place into memory that is used again call after call, a part at a time: the
    // room a part may need (a unit a byte, two for a sequence that starts at its last byte) is
    // made only then, so the memory of the units a text does not use (a text of hanzi needs a
    // third of them) is never touched.
    constexpr std::size_t kRoom = std::size_t(1) << 16;
    out.clear();
    out.reserve(bytes.size() + 1);
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t limit = std::min(bytes.size(), i + kRoom);
        const std::size_t used = out.size();
        out.resize(used + (limit - i) + 1);
        char16_t *o = out.data() + used;
        i = utf8Run(bytes, i, limit, o, bad);
        out.resize(static_cast<std::size_t>(o - out.data()));
    }
}

// CodePage950::decodeRun, of the one signature with utf8Run.
std::size_t big5Run(std::string_view bytes, std::size_t i, std::size_t limit, char16_t *&o,
                    std::size_t &bad) {
    return CodePage950::instance().decodeRun(bytes, i, limit, o, bad);
}

// The bytes read in the encoding into out (its memory used again), replacements counted in bad.
void decodeAs(std::string_view bytes, TextEncoding encoding, std::size_t &bad,
              std::u16string &out) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return fromUtf8Counting(bytes, bad, out);
    case TextEncoding::Utf16LE:
        return fromUtf16(bytes, false, bad, out);
    case TextEncoding::Utf16BE:
        return fromUtf16(bytes, true, bad, out);
    case TextEncoding::Utf32LE:
        return fromUtf32(bytes, false, bad, out);
    case TextEncoding::Utf32BE:
        return fromUtf32(bytes, true, bad, out);
    case TextEncoding::Gb18030:
        return fromGb18030(bytes, bad, out);
    default:
        bad += CodePage950::instance().decode(bytes, out);
        return;
    }
}

// How much a decoding looks like ordinary Chinese text, Traditional or Simplified: the frequent
// hanzi score most, the other hanzi of the first level of Big5 or of GB2312 less, other hanzi,
// CJK punctuation and the common signs a little, letters of other scripts next to nothing, and
// replacement and control characters count against it. Each character scores for every byte it
// was read from, so every reading of the same bytes shares out the same total: a reading that
// gets more characters out of the bytes (two-byte hanzi out of three-byte UTF-8) gains nothing
// by it, and the sums compare directly.
struct Plausibility {
    double score = 0;
    std::size_t nonAsciiBytes = 0; // bytes read as characters other than ASCII
    std::size_t nonAscii = 0;      // characters other than ASCII
    std::size_t controls = 0;      // control characters of ASCII (but tabs, line ends)
    std::size_t variety = 0;       // different ones of them, up to kVariety
};

// So many different characters beyond ASCII make a text whose reading can be told; a text that
// repeats fewer (one hanzi, or a sign or two, over and over) may read as well in two encodings.
constexpr std::size_t kVariety = 16;

// 3: the frequent hanzi in either script (the Traditional list and its Simplified forms);
// 2: the first level of GB2312 (the 3755 everyday Simplified hanzi); else 0. Bit 4 marks the
// characters GB18030 writes in two bytes (those of GBK). Made when the program is built.
constexpr std::uint8_t kGbkTwoBytes = 4;
const std::uint8_t *hanziTiers() {
    return cp950::kHanziTiers;
}

// The bytes a character of a reading was read from (a replacement: the byte or two it stands
// for).
constexpr unsigned bytesOf(char32_t cp, TextEncoding e, std::uint8_t tier) {
    switch (e) {
    case TextEncoding::Utf8:
        return cp < 0x80 || cp == 0xFFFD ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return cp >= 0x10000 ? 4 : 2;
    case TextEncoding::Utf32LE:
    case TextEncoding::Utf32BE:
        return 4;
    case TextEncoding::Gb18030:
        return cp < 0x80 ? 1 : cp == 0xFFFD || (tier & kGbkTwoBytes) ? 2 : 4;
    default:
        return cp < 0x80 ? 1 : 2;
    }
}

// Points a byte for one character (hanziPoints, with the character's Big5 ordinal).
double pointsOf(char32_t cp, std::uint8_t tier) {
    return hanziPoints(cp, tier, cp < 0x10000 ? tableOrdinal(static_cast<char16_t>(cp)) : -1);
}

// pointsOf for every character of the BMP, doubled, so that scoring a reading looks each
// character up once. Made when the program is built.
const std::int8_t *bmpPointsTwice() {
    return cp950::kBmpPointsTwice;
}

// The score is summed in halves of a point: every weight is a multiple of a half, so the sum is
// exact, as a sum of doubles would be, and the loop is made once for each encoding.
// The text may come in parts: a high surrogate at the end of one waits for the next.
template <TextEncoding E> class Scorer {
public:
    void add(std::u16string_view text) {
        const std::uint8_t *tiers = hanziTiers();
        const std::int8_t *bmpTwice = bmpPointsTwice();
        std::size_t i = 0;
        if (m_pending != 0 && !text.empty()) {
            char32_t cp = m_pending;
            m_pending = 0;
            if (text[0] >= 0xDC00 && text[0] <= 0xDFFF)
                cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i++] - 0xDC00);
            other(cp, tiers, bmpTwice);
        }
        for (; i < text.size(); ++i) {
            char32_t cp = text[i];
            if (cp < 0x80) {
                const int twice = bmpTwice[cp];
                m_p.controls += twice < 0;
                // ASCII in UTF-16 or UTF-32 weighs as CJK punctuation does (the other byte
                // order makes hanzi of it: 'a' is 61 00, U+6100 the other way round, and of
                // U+3000 '0'); in the byte encodings it reads the same in all and weighs nothing.
                const int bytes = static_cast<int>(bytesOf(cp, E, 0));
                m_halves += (twice == 0 && isWideEncoding(E) ? 2 : twice) * bytes;
                continue;
            }
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                if (i + 1 == text.size()) {
                    m_pending = static_cast<char16_t>(cp);
                    break;
                }
                if (text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
            }
            other(cp, tiers, bmpTwice);
        }
    }
    // The score of what was added so far, with ICU's points at its confidence icu (0..1).
    double sofar(double icu) const {
        return static_cast<double>(m_halves) / 2 + icu * static_cast<double>(m_p.nonAsciiBytes);
    }
    Plausibility finish() {
        if (m_pending != 0)
            other(m_pending, hanziTiers(), bmpPointsTwice());
        m_pending = 0;
        Plausibility p = m_p;
        p.score = static_cast<double>(m_halves) / 2;
        return p;
    }

private:
    // A character beyond ASCII.
    void other(char32_t cp, const std::uint8_t *tiers, const std::int8_t *bmpTwice) {
        const std::uint8_t tier = cp < 0x10000 && E == TextEncoding::Gb18030 ? tiers[cp] : 0;
        const unsigned bytes = bytesOf(cp, E, tier);
        m_p.nonAsciiBytes += bytes;
        ++m_p.nonAscii;
        if (m_p.variety < kVariety &&
            std::find(m_seen, m_seen + m_p.variety, cp) == m_seen + m_p.variety)
            m_seen[m_p.variety++] = cp;
        const int twice = cp < 0x10000 ? bmpTwice[cp] : static_cast<int>(pointsOf(cp, 0) * 2);
        m_halves += twice * static_cast<int>(bytes);
    }

    Plausibility m_p;
    std::int64_t m_halves = 0;
    char32_t m_seen[kVariety];
    char16_t m_pending = 0;
};

template <TextEncoding E> Plausibility plausibilityIn(std::u16string_view text) {
    Scorer<E> scorer;
    scorer.add(text);
    return scorer.finish();
}

Plausibility plausibility(std::u16string_view text, TextEncoding e) {
    switch (e) {
    case TextEncoding::Utf8:
        return plausibilityIn<TextEncoding::Utf8>(text);
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return plausibilityIn<TextEncoding::Utf16LE>(text);
    case TextEncoding::Utf32LE:
    case TextEncoding::Utf32BE:
        return plausibilityIn<TextEncoding::Utf32LE>(text);
    case TextEncoding::Gb18030:
        return plausibilityIn<TextEncoding::Gb18030>(text);
    default:
        return plausibilityIn<TextEncoding::Big5>(text);
    }
}

// A part at a time: the units of a reading come to sink in parts of about kPart, decoded into
// memory that stays in the cache, with how many bytes have been read so far. The sink returns
// false to stop the reading there.
constexpr std::size_t kPart = std::size_t(1) << 14;

template <class Sink>
void readInParts(std::string_view bytes, TextEncoding e, std::size_t &bad, Sink &&sink) {
    // Never more units than bytes in a part, but for a pair of UTF-16 units a sequence that
    // runs on past the part's end, and a cut end at the very last.
    char16_t buffer[kPart + 8];
    if (e == TextEncoding::Gb18030) {
        Converter c = openConverter("gb18030");
        if (!c) {
            bad += bytes.size();
            for (std::size_t i = 0; i < bytes.size(); i += kPart) {
                const std::size_t n = std::min(kPart, bytes.size() - i);
                std::fill_n(buffer, n, u'\uFFFD');
                if (!sink(std::u16string_view(buffer, n), i + n))
                    return;
            }
            return;
        }
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setToUCallBack(c.get(), countingToUnicode, &bad, nullptr, nullptr, &status);
        // ICU carries a sequence cut at the end of a part over to the next.
        const char *source = bytes.data();
        const char *const end = bytes.data() + bytes.size();
        bool last = false;
        while (!last) {
            const char *limit = end - source > std::ptrdiff_t(kPart) ? source + kPart : end;
            last = limit == end;
            for (;;) {
                UChar *target = reinterpret_cast<UChar *>(buffer);
                ucnv_toUnicode(c.get(), &target, target + kPart + 8, &source, limit, nullptr, last,
                               &status);
                if (!sink(std::u16string_view(
                              buffer,
                              static_cast<std::size_t>(target - reinterpret_cast<UChar *>(buffer))),
                          static_cast<std::size_t>(source - bytes.data())))
                    return;
                if (status != U_BUFFER_OVERFLOW_ERROR)
                    break;
                status = U_ZERO_ERROR;
            }
        }
        return;
    }
    const auto run = e == TextEncoding::Utf8 ? utf8Run : big5Run;
    for (std::size_t i = 0; i < bytes.size();) {
        char16_t *o = buffer;
        i = run(bytes, i, std::min(bytes.size(), i + kPart), o, bad);
        if (!sink(std::u16string_view(buffer, static_cast<std::size_t>(o - buffer)), i))
            return;
    }
}

// How far a reading of bytes in a byte encoding may still climb once part of it is scored: no
// character scores more than kMostPoints a byte, nor ICU's confidence more than one point a
// byte, and each character counts the bytes it was read from (a replacement, scoring against,
// may count one byte more). The few bytes a decoder holds back count as bytes still to read.
constexpr double kMostPoints = 3;
constexpr std::size_t kHeldBack = 8;

// The plausibility of reading bytes in a byte encoding (UTF-8, Big5 or GB18030), and its
// replacements in bad, without holding the reading. With a floor (and ICU's confidence in the
// encoding, 0..1), the reading stops as soon as its score, ICU's points included, can no longer
// reach the floor; *ceiling then receives the most it could have come to, else stays as it is.
template <TextEncoding E>
Plausibility plausibilityOfBytes(std::string_view bytes, std::size_t &bad,
                                 std::optional<double> floor, double icu, double *ceiling) {
    Scorer<E> scorer;
    readInParts(bytes, E, bad, [&](std::u16string_view part, std::size_t read) {
        scorer.add(part);
        if (!floor)
            return true;
        const double most =
            scorer.sofar(icu) +
            (kMostPoints + icu) * static_cast<double>(bytes.size() - read + kHeldBack);
        if (most >= *floor)
            return true;
        *ceiling = most;
        return false;
    });
    return scorer.finish();
}

Plausibility plausibilityOfBytes(std::string_view bytes, TextEncoding e, std::size_t &bad,
                                 std::optional<double> floor = std::nullopt, double icu = 0,
                                 double *ceiling = nullptr) {
    switch (e) {
    case TextEncoding::Utf8:
        return plausibilityOfBytes<TextEncoding::Utf8>(bytes, bad, floor, icu, ceiling);
    case TextEncoding::Gb18030:
        return plausibilityOfBytes<TextEncoding::Gb18030>(bytes, bad, floor, icu, ceiling);
    default:
        return plausibilityOfBytes<TextEncoding::Big5>(bytes, bad, floor, icu, ceiling);
    }
}

// Zero bytes mostly at odd offsets mean UTF-16LE text with ASCII in it (line breaks, digits,
// blanks), mostly at even offsets UTF-16BE. Text in the other encodings has no zero bytes.
std::optional<TextEncoding> utf16ByZeroBytes(std::string_view bytes) {
    std::size_t even = 0, odd = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\0')
            ++(i % 2 ? odd : even);
    const std::size_t zeros = even + odd;
    if (zeros == 0 || zeros * 200 < bytes.size())
        return std::nullopt;
    if (odd >= zeros * 9 / 10 && odd > even)
        return TextEncoding::Utf16LE;
    if (even >= zeros * 9 / 10 && even > odd)
        return TextEncoding::Utf16BE;
    return std::nullopt;
}

// UTF-32: the top byte of every code unit is zero and the next one at most 0x10, so one of the
// outer offsets of each group of four holds zeros throughout.
std::optional<TextEncoding> utf32ByZeroBytes(std::string_view bytes) {
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size() / 4;
    if (n == 0)
        return std::nullopt;
    std::size_t little = 0, big = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned char *q = b + 4 * k;
        little += q[3] == 0 && q[2] <= 0x10;
        big += q[0] == 0 && q[1] <= 0x10;
    }
    // A few damaged units are allowed; text in UTF-16 has such units only where it is ASCII
    // on both halves, which its zero bytes at one parity tell apart.
    if (little * 20 >= n * 19 && little > big)
        return TextEncoding::Utf32LE;
    if (big * 20 >= n * 19 && big > little)
        return TextEncoding::Utf32BE;
    return std::nullopt;
}

// UTF-16 without ASCII has no zero bytes, but the high byte of each unit falls where the hanzi,
// punctuation and signs, and the halves of extension hanzi are (0x20..0x27, 0x30, 0x4E..0x9F,
// 0xD8..0xDF, 0xFF). Text in the byte encodings spreads its
// bytes over both offsets alike: Big5 and GBK lead bytes lie above 0x9F, UTF-8 leads at 0xE0
// and above, English has blanks and capitals.
std::vector<TextEncoding> utf16ByHighBytes(std::string_view bytes) {
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size() / 2;
    if (n < 8)
        return {}; // too few units to tell
    // Per byte: 1 when it may be such a high byte, 2 when it is printable ASCII.
    static constexpr auto kind = [] {
        std::array<std::uint8_t, 256> t{};
        for (unsigned h = 0; h < 256; ++h)
            t[h] = static_cast<std::uint8_t>(((h >= 0x20 && h <= 0x27) || h == 0x30 ||
                                              (h >= 0x4E && h <= 0x9F) ||
                                              (h >= 0xD8 && h <= 0xDF) || h == 0xFF) |
                                             (h >= 0x20 && h < 0x7F) << 1);
        return t;
    }();
    std::size_t even = 0, odd = 0, asciiPairs = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned first = kind[b[2 * k]], second = kind[b[2 * k + 1]];
        even += first & 1;
        odd += second & 1;
        asciiPairs += first & second & 2;
        // Text in a byte encoding soon shows that neither offset can hold nine in ten.
        if (k % 4096 == 4095 && (odd + (n - k - 1)) * 10 < n * 9 &&
            (even + (n - k - 1)) * 10 < n * 9)
            return {};
    }
    asciiPairs /= 2;
    // Letters and digits lie in the high-byte range too; hanzi in UTF-16 have both bytes
    // printable ASCII only about one time in five, ASCII text always, and ASCII text has its
    // blanks or line ends.
    if (asciiPairs * 2 >= n &&
        bytes.find_first_of(std::string_view(" \n\r", 3)) != std::string_view::npos)
        return {};
    // Hanzi whose low byte lies in the range too (的 is 76 84) leave the byte order open:
    // both readings are weighed.
    const bool le = odd * 10 >= n * 9, be = even * 10 >= n * 9;
    if (le && be)
        return {TextEncoding::Utf16LE, TextEncoding::Utf16BE};
    if (le)
        return {TextEncoding::Utf16LE};
    if (be)
        return {TextEncoding::Utf16BE};
    return {};
}

// ICU's charset detector's confidence (0..100) in each encoding this program reads, over the
// start of the sample (the detector weighs frequent characters and byte patterns of its own).
struct IcuOpinion {
    int confidence[8] = {};
    int of(TextEncoding e) const { return confidence[static_cast<int>(e)]; }
};

IcuOpinion icuOpinion(std::string_view sample) {
    IcuOpinion opinion;
    UErrorCode status = U_ZERO_ERROR;
    UCharsetDetector *detector = ucsdet_open(&status);
    if (U_FAILURE(status))
        return opinion;
    const std::string_view start = sample.substr(0, 1 << 16);
    ucsdet_setText(detector, start.data(), static_cast<int32_t>(start.size()), &status);
    int32_t found = 0;
    const UCharsetMatch **matches = ucsdet_detectAll(detector, &found, &status);
    for (int32_t i = 0; U_SUCCESS(status) && matches && i < found; ++i) {
        UErrorCode s = U_ZERO_ERROR;
        const char *name = ucsdet_getName(matches[i], &s);
        const int32_t confidence = ucsdet_getConfidence(matches[i], &s);
        if (U_FAILURE(s) || !name)
            continue;
        const std::optional<TextEncoding> e = encodingFromName(name);
        if (e && *e != TextEncoding::Auto)
            opinion.confidence[static_cast<int>(*e)] =
                std::max(opinion.confidence[static_cast<int>(*e)], static_cast<int>(confidence));
    }
    ucsdet_close(detector);
    return opinion;
}

// The guess reads a sample from the start; a megabyte of text settles it.
constexpr std::size_t kSampleBytes = 1 << 20;

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
    std::size_t bad = 0;
    std::u16string out;
    fromUtf8Counting(bytes, bad, out);
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
    DecodedText d = decodeTextDetailed(bytes, encoding);
    if (detected)
        *detected = d.encoding;
    return std::move(d.text);
}

namespace {

constexpr std::string_view kUtf8Mark("\xEF\xBB\xBF", 3);
constexpr std::string_view kUtf32LEMark("\xFF\xFE\0\0", 4);
constexpr std::string_view kUtf32BEMark("\0\0\xFE\xFF", 4);
constexpr std::string_view kUtf16LEMark("\xFF\xFE", 2);
constexpr std::string_view kUtf16BEMark("\xFE\xFF", 2);

} // namespace

EncodingChoice chooseEncoding(std::string_view bytes, TextEncoding encoding) {
    EncodingChoice choice;
    if (encoding == TextEncoding::Auto) {
        if (bytes.starts_with(kUtf8Mark))
            encoding = TextEncoding::Utf8;
        else if (bytes.starts_with(kUtf32LEMark))
            encoding = TextEncoding::Utf32LE;
        else if (bytes.starts_with(kUtf32BEMark))
            encoding = TextEncoding::Utf32BE;
        else if (bytes.starts_with(kUtf16LEMark))
            encoding = TextEncoding::Utf16LE;
        else if (bytes.starts_with(kUtf16BEMark))
            encoding = TextEncoding::Utf16BE;
    }
    if (encoding == TextEncoding::Auto) {
        const std::string_view sample = bytes.substr(0, kSampleBytes);
        std::vector<TextEncoding> candidates;
        // Zero bytes say UTF-16 or UTF-32; in UTF-16 they also come from CJK punctuation
        // (U+3000..U+30FF, low byte zero), so both byte orders are weighed.
        // (Without a zero byte, as most text is, neither can say anything.)
        const bool zeros = sample.find('\0') != std::string_view::npos;
        if (auto wide = zeros ? utf32ByZeroBytes(sample) : std::nullopt)
            candidates.push_back(*wide);
        else if (auto wide16 = zeros ? utf16ByZeroBytes(sample) : std::nullopt)
            candidates.insert(candidates.end(),
                              {*wide16, *wide16 == TextEncoding::Utf16LE ? TextEncoding::Utf16BE
                                                                         : TextEncoding::Utf16LE});
        else if (zeros)
            // Zero bytes on both parities: UTF-16 with hanzi such as 一 (U+4E00) among ASCII,
            // or no text at all; the readings tell.
            candidates.insert(candidates.end(), {TextEncoding::Utf16LE, TextEncoding::Utf16BE});
        const bool zeroEvidence = !candidates.empty();
        candidates.insert(candidates.end(),
                          {TextEncoding::Utf8, TextEncoding::Big5, TextEncoding::Gb18030});
        if (!zeroEvidence)
            for (TextEncoding wide : utf16ByHighBytes(sample))
                candidates.push_back(wide);
        // Every candidate is scored; the best one wins, and a runner-up close behind it, or
        // two clean readings of the same bytes, make the guess one to mention. ICU's detector
        // adds up to one point a non-ASCII byte for the readings it believes in.
        std::optional<IcuOpinion> icu;
        struct Weighing {
            TextEncoding encoding = TextEncoding::Auto;
            bool ambiguous = false;
            double best = 0, second = 0;
            std::size_t cleanReadings = 0, scored = 0, bestNonAscii = 0;
            bool repetitive = false;               // the best reading repeats a few characters
            std::optional<TextEncoding> cleanWide; // the best wide reading without replacements
            double cleanWideScore = 0;
            // Below this, a reading neither wins nor comes close enough to make a guess of it.
            double floor() const {
                const double f = std::min(best - 0.5 * static_cast<double>(bestNonAscii), best - 8);
                return repetitive ? std::min(f, 0.0) : f;
            }
            // The readings left unfinished as out of the running: the most each could have
            // scored, and whether it had no replacement as far as it was read.
            struct Dropped {
                double ceiling;
                bool clean;
            };
            std::vector<Dropped> dropped;
        };
        // With drop, a byte encoding's reading that falls too far behind the best so far is not
        // read to its end (a text in one encoding makes little sense in the others, so the
        // other readings are mostly left early).
        const auto weigh = [&](bool drop) {
            Weighing w;
            bool asciiInUtf16 = false;
            // The byte encodings are weighed a part at a time, their readings never held.
            std::u16string reading;
            for (TextEncoding candidate : candidates) {
                std::size_t bad = 0;
                Plausibility p;
                double ceiling = 0;
                bool unfinished = false;
                if (isWideEncoding(candidate)) {
                    decodeAs(sample, candidate, bad, reading);
                    p = plausibility(reading, candidate);
                } else if (drop && w.scored > 0 && !asciiInUtf16) {
                    ceiling = std::numeric_limits<double>::infinity();
                    p = plausibilityOfBytes(sample, candidate, bad, w.floor(),
                                            icu->of(candidate) / 100.0, &ceiling);
                    unfinished = ceiling != std::numeric_limits<double>::infinity();
                } else {
                    p = plausibilityOfBytes(sample, candidate, bad);
                }
                if (w.scored == 0 && p.nonAsciiBytes == 0 && bad == 0 && p.controls == 0) {
                    // Plain ASCII without control characters (or such ASCII in UTF-16): nothing
                    // to weigh.
                    w.encoding = candidate;
                    // ASCII in UTF-16 has its blanks and line ends; without any, the other byte
                    // order (hanzi such as 一, U+4E00, whose low byte is zero) is weighed too, and
                    // if it reads cleanly the choice is called a guess.
                    if (!isWideEncoding(candidate) ||
                        reading.find_first_of(u" \t\r\n") != std::u16string::npos)
                        break;
                    asciiInUtf16 = true;
                    continue;
                }
                if (asciiInUtf16) {
                    w.ambiguous = w.ambiguous || (bad == 0 && p.score > 0);
                    continue;
                }
                if (unfinished) {
                    w.dropped.push_back({ceiling, bad == 0});
                    ++w.scored;
                    continue;
                }
                if (!icu)
                    icu = icuOpinion(sample);
                const double score =
                    p.score + icu->of(candidate) / 100.0 * static_cast<double>(p.nonAsciiBytes);
                w.cleanReadings += bad == 0;
                if (zeroEvidence && isWideEncoding(candidate) && bad == 0 &&
                    (!w.cleanWide || score > w.cleanWideScore)) {
                    w.cleanWide = candidate;
                    w.cleanWideScore = score;
                }
                if (w.scored == 0 || score > w.best) {
                    w.second = w.scored == 0 ? -1e300 : w.best;
                    w.best = score;
                    w.bestNonAscii = p.nonAsciiBytes;
                    w.repetitive = p.variety < kVariety && p.nonAscii >= 4 * p.variety;
                    w.encoding = candidate;
                } else if (score > w.second) {
                    w.second = score;
                }
                ++w.scored;
            }
            return w;
        };
        Weighing w = weigh(true);
        // A reading left unfinished was judged against the best at the time; if it could
        // still come near the final best, or its being clean could make the call a close one,
        // everything is weighed again, every reading to its end.
        for (const Weighing::Dropped &d : w.dropped)
            if (d.ceiling >= w.floor() || (d.clean && w.best - w.second < 8)) {
                w = weigh(false);
                break;
            }
        encoding = w.encoding;
        choice.ambiguous = w.ambiguous;
        // A byte encoding would read those zero bytes as NUL characters, which no text has:
        // a clean wide reading is taken instead, as a guess.
        if (w.cleanWide && !isWideEncoding(encoding)) {
            encoding = *w.cleanWide;
            choice.ambiguous = true;
        }
        // The margin is taken a byte: half a point a non-ASCII byte between the best reading
        // and the next is a close call, and so is about one hanzi's worth between two clean ones;
        // and when the text repeats too few different characters to tell by, any other reading
        // that makes some sense is.
        choice.ambiguous =
            choice.ambiguous ||
            (w.scored > 1 && w.best - w.second < 0.5 * static_cast<double>(w.bestNonAscii)) ||
            (w.cleanReadings > 1 && w.best - w.second < 8) ||
            (w.scored > 1 && w.repetitive && w.second > 0);
    }
    choice.encoding = encoding;
    return choice;
}

namespace {

// The replacements are counted already: the controls and the judgement of binary.
void judge(std::string_view bytes, TextEncoding encoding, bool guessed, DecodedText &d) {
    // Zero bytes are ordinary in UTF-16 and UTF-32, so there a binary file shows itself by what
    // it decodes to: control characters and replacements rather than text.
    // The controls are the units below 0x20 but 09, 0A, 0C, 0D, and 7F: one bit each.
    constexpr std::uint32_t kControls =
        ~((1U << 0x09) | (1U << 0x0A) | (1U << 0x0C) | (1U << 0x0D));
    std::size_t controls = 0;
    for (char16_t c : d.text)
        if (c < 0x20 || c == 0x7F) // rare: tested once a unit
            controls += c == 0x7F || (kControls >> c & 1);
    d.controls = controls;
    d.binary = (!isWideEncoding(encoding) && bytes.find('\0') != std::string_view::npos) ||
               (guessed && (d.replaced + controls) * 4 > d.text.size());
}

} // namespace

void decodeTextInto(std::string_view bytes, TextEncoding encoding, bool guessed, DecodedText &d) {
    // The mark of the encoding is dropped.
    std::string_view body = bytes;
    if (encoding == TextEncoding::Utf8 && bytes.starts_with(kUtf8Mark))
        body = bytes.substr(3);
    else if ((encoding == TextEncoding::Utf32LE && bytes.starts_with(kUtf32LEMark)) ||
             (encoding == TextEncoding::Utf32BE && bytes.starts_with(kUtf32BEMark)))
        body = bytes.substr(4);
    else if ((encoding == TextEncoding::Utf16LE && bytes.starts_with(kUtf16LEMark)) ||
             (encoding == TextEncoding::Utf16BE && bytes.starts_with(kUtf16BEMark)))
        body = bytes.substr(2);
    d.replaced = 0;
    decodeAs(body, encoding, d.replaced, d.text);
    judge(bytes, encoding, guessed, d);
}

DecodedText decodeTextDetailed(std::string_view bytes, TextEncoding encoding) {
    // Replacements in an encoding the user chose say that the choice was wrong, not that the
    // file is no text: only a guess weighs them.
    const bool guessed = encoding == TextEncoding::Auto;
    DecodedText d;
    const EncodingChoice choice = chooseEncoding(bytes, encoding);
    d.encoding = choice.encoding;
    d.ambiguous = choice.ambiguous;
    decodeTextInto(bytes, choice.encoding, guessed, d);
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
    case TextEncoding::Gb18030:
        return "GB18030";
    case TextEncoding::Utf32LE:
        return "UTF-32LE";
    case TextEncoding::Utf32BE:
        return "UTF-32BE";
    default:
        return "auto";
    }
}

std::optional<TextEncoding> encodingFromName(std::string_view name) {
    std::string n;
    for (char c : name)
        if (c != '-' && c != '_')
            n += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (n == "auto")
        return TextEncoding::Auto;
    if (n == "big5" || n == "cp950" || n == "windows950")
        return TextEncoding::Big5;
    if (n == "utf8")
        return TextEncoding::Utf8;
    if (n == "utf16le")
        return TextEncoding::Utf16LE;
    if (n == "utf16be")
        return TextEncoding::Utf16BE;
    if (n == "gb18030" || n == "gbk" || n == "gb2312" || n == "cp936")
        return TextEncoding::Gb18030;
    if (n == "utf32le")
        return TextEncoding::Utf32LE;
    if (n == "utf32be")
        return TextEncoding::Utf32BE;
    return std::nullopt;
}

std::string encodeText(std::u16string_view text, TextEncoding encoding, std::size_t *unmapped) {
    std::size_t missing = 0;
    std::string bytes;
    switch (encoding) {
    case TextEncoding::Utf8:
        bytes = toUtf8(text);
        break;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool little = encoding == TextEncoding::Utf16LE;
        bytes.reserve(2 * text.size());
        for (char16_t c : text) {
            const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
            bytes += little ? lo : hi;
            bytes += little ? hi : lo;
        }
        break;
    }
    case TextEncoding::Utf32LE:
    case TextEncoding::Utf32BE: {
        const bool little = encoding == TextEncoding::Utf32LE;
        bytes.reserve(4 * text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            char32_t cp = text[i];
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF)
                cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
            else if (cp >= 0xD800 && cp <= 0xDFFF)
                cp = '?', ++missing;
            for (int k = 0; k < 4; ++k)
                bytes += static_cast<char>(cp >> (8 * (little ? k : 3 - k)) & 0xFF);
        }
        break;
    }
    case TextEncoding::Gb18030: {
        Converter c = openConverter("gb18030");
        if (!c) {
            missing = text.size();
            bytes.assign(text.size(), '?');
            break;
        }
        // Every Unicode character has a GB18030 code; only lone surrogates have none.
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setSubstChars(c.get(), "?", 1, &status);
        bytes.resize(4 * text.size() + 4);
        char *target = bytes.data();
        const UChar *source = reinterpret_cast<const UChar *>(text.data());
        ucnv_fromUnicode(c.get(), &target, bytes.data() + bytes.size(), &source,
                         source + text.size(), nullptr, true, &status);
        bytes.resize(static_cast<std::size_t>(target - bytes.data()));
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t u = text[i];
            if (u >= 0xDC00 && u <= 0xDFFF &&
                (i == 0 || text[i - 1] < 0xD800 || text[i - 1] > 0xDBFF))
                ++missing;
            else if (u >= 0xD800 && u <= 0xDBFF &&
                     (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF))
                ++missing;
        }
        break;
    }
    default:
        bytes = CodePage950::instance().encode(text, &missing);
        break;
    }
    if (unmapped)
        *unmapped = missing;
    return bytes;
}

} // namespace yuedu
