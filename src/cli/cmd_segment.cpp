// yuedu-cli segment: word segmentation of each text, written exactly as the result document
// holds it (two blanks after every word, CR LF line ends, a final CR LF), in UTF-8.
#include <array>
#include <cstdint>
#include <iostream>
#include <string>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "cli/command.h"
#include "cli/textstream.h"
#include "common/errors.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"

namespace yuedu::cli {
namespace {

// Writes line at out in UTF-8 as toUtf8 writes it (a lone surrogate as U+FFFD), at most three
// bytes a unit (a pair of units takes four), and returns the end of what it wrote.
char *writeUtf8Scalar(char *out, std::u16string_view line) {
    char *p = out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char32_t cp = line[i];
        if (cp < 0x80) {
            *p++ = static_cast<char>(cp);
            continue;
        }
        if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) { // the usual hanzi and punctuation
            p[0] = static_cast<char>(0xE0 | (cp >> 12));
            p[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            p[2] = static_cast<char>(0x80 | (cp & 0x3F));
            p += 3;
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < line.size() && line[i + 1] >= 0xDC00 &&
            line[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (line[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x800) {
            *p++ = static_cast<char>(0xC0 | (cp >> 6));
        } else {
            if (cp < 0x10000) {
                *p++ = static_cast<char>(0xE0 | (cp >> 12));
            } else {
                *p++ = static_cast<char>(0xF0 | (cp >> 18));
                *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            }
            *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return p;
}

#if defined(__x86_64__) || defined(__i386__)
// The bytes to keep of four units of four bytes each (the unit's one byte, or its three) when
// bit u of the index says unit u is ASCII, and how many they are.
struct Compaction {
    std::array<std::array<std::uint8_t, 16>, 16> shuffle;
    std::array<std::uint8_t, 16> length;
};
constexpr Compaction makeCompaction() {
    Compaction c{};
    for (int m = 0; m < 16; ++m) {
        int n = 0;
        for (int u = 0; u < 4; ++u)
            for (int k = 0; k < ((m >> u & 1) != 0 ? 1 : 3); ++k)
                c.shuffle[m][n++] = static_cast<std::uint8_t>(4 * u + k);
        for (int k = n; k < 16; ++k)
            c.shuffle[m][k] = 0x80; // a zero byte, past the end of what is kept
        c.length[m] = static_cast<std::uint8_t>(n);
    }
    return c;
}
constexpr Compaction kCompaction = makeCompaction();

// writeUtf8Scalar eight units at a time while they are ASCII or of three bytes (blanks and
// hanzi, nearly all of a segmented Chinese text), with 16 bytes of room after the end.
__attribute__((target("ssse3"))) char *writeUtf8Ssse3(char *out, std::u16string_view line) {
    char *p = out;
    std::size_t i = 0;
    // Unsigned comparisons of units as signed ones, all of them moved down by 0x8000.
    const __m128i bias = _mm_set1_epi16(static_cast<short>(0x8000));
    for (; i + 8 <= line.size(); i += 8) {
        const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i *>(line.data() + i));
        const __m128i biased = _mm_xor_si128(u, bias);
        const __m128i ascii = _mm_cmplt_epi16(biased, _mm_xor_si128(_mm_set1_epi16(0x80), bias));
        const __m128i threeBytes =
            _mm_cmpgt_epi16(biased, _mm_xor_si128(_mm_set1_epi16(0x7FF), bias));
        const __m128i surrogate =
            _mm_cmpeq_epi16(_mm_and_si128(u, _mm_set1_epi16(static_cast<short>(0xF800))),
                            _mm_set1_epi16(static_cast<short>(0xD800)));
        if (_mm_movemask_epi8(_mm_or_si128(ascii, _mm_andnot_si128(surrogate, threeBytes))) !=
            0xFFFF)
            break; // two bytes, or a surrogate: the rest a unit at a time
        const int asciiBits = _mm_movemask_epi8(_mm_packs_epi16(ascii, ascii)) & 0xFF;
        for (int half = 0; half < 2; ++half) {
            // Four units as 32-bit lanes, each lane the unit's bytes in order.
            const __m128i zero = _mm_setzero_si128();
            const __m128i c = half == 0 ? _mm_unpacklo_epi16(u, zero) : _mm_unpackhi_epi16(u, zero);
            const __m128i isAscii =
                half == 0 ? _mm_unpacklo_epi16(ascii, ascii) : _mm_unpackhi_epi16(ascii, ascii);
            const __m128i lead = _mm_or_si128(_mm_srli_epi32(c, 12), _mm_set1_epi32(0xE0));
            const __m128i middle = _mm_slli_epi32(
                _mm_or_si128(_mm_and_si128(_mm_srli_epi32(c, 6), _mm_set1_epi32(0x3F)),
                             _mm_set1_epi32(0x80)),
                8);
            const __m128i last = _mm_slli_epi32(
                _mm_or_si128(_mm_and_si128(c, _mm_set1_epi32(0x3F)), _mm_set1_epi32(0x80)), 16);
            const __m128i three = _mm_or_si128(lead, _mm_or_si128(middle, last));
            const __m128i lanes =
                _mm_or_si128(_mm_and_si128(isAscii, c), _mm_andnot_si128(isAscii, three));
            const int m = asciiBits >> (4 * half) & 0xF;
            const __m128i kept = _mm_shuffle_epi8(
                lanes,
                _mm_loadu_si128(reinterpret_cast<const __m128i *>(kCompaction.shuffle[m].data())));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(p), kept);
            p += kCompaction.length[m];
        }
    }
    return writeUtf8Scalar(p, line.substr(i));
}
#endif

// Room writeUtf8 may write past the end of what it gives.
constexpr std::size_t kUtf8Slack = 16;

char *writeUtf8(char *out, std::u16string_view line) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3)
        return writeUtf8Ssse3(out, line);
#endif
    return writeUtf8Scalar(out, line);
}

int runSegment(const Args &args) {
    // An unknown encoding is an error before anything is read.
    const TextEncoding encoding = encodingOption(args);
    const LanguageData &data = languageData(args);
    const seg::Lexicon lexicon = loadLexicon(args);
    const seg::PhraseDivider divider(data, lexicon);

    std::vector<std::string> names = args.positional;
    if (names.empty())
        names.push_back("-");
    // Lines are gathered into blocks of UTF-8 before writing: a write a line costs more than
    // segmenting it.
    std::string block(1 << 16, '\0');
    std::size_t used = 0;
    const auto flush = [&block, &used] {
        writeOut(std::string_view(block.data(), used));
        used = 0;
    };
    // One file after another, each read and segmented a piece at a time, so that neither a
    // large file nor a long line is ever held whole; a file that cannot be read is reported and
    // the others still run.
    int status = 0;
    std::u16string piece;
    for (const auto &name : names) {
        bool anyWord = false;
        seg::PhraseDivider::Stream stream(divider, [&](std::u16string_view line) {
            anyWord = anyWord || line.size() > 2; // more than the CR LF of a text without hanzi
            if (block.size() - used < 3 * line.size() + kUtf8Slack) {
                flush();
                if (block.size() < 3 * line.size() + kUtf8Slack)
                    block.resize(3 * line.size() + kUtf8Slack);
            }
            used = static_cast<std::size_t>(writeUtf8(block.data() + used, line) - block.data());
        });
        try {
            InputStream input(name, encoding, toTraditionalOption(args));
            while (input.next(piece))
                stream.write(piece);
        } catch (const Error &e) {
            // What was segmented before a read failed is written; the file counts as failed.
            flush();
            std::cerr << "yuedu-cli segment: " << e.what() << "\n";
            status = 1;
            continue;
        }
        stream.finish();
        flush();
        // Empty input, or no hanzi at all: nothing was segmented, as with the other commands.
        if (!anyWord) {
            std::cerr << "yuedu-cli segment: " << name << ": the text has no hanzi\n";
            status = 1;
        }
    }
    return status;
}

const CommandRegistration registration({
    "segment",
    "[FILE...]",
    "word segmentation: every word followed by two blanks, 12 then 13 words a line",
    {},
    runSegment,
});

} // namespace
} // namespace yuedu::cli
