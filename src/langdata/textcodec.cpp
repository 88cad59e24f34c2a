#include "langdata/textcodec.h"

#include <optional>
#include <vector>

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/constants.h"

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

std::u16string fromUtf16(std::string_view bytes, bool bigEndian, std::size_t &bad) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
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
    return out;
}

// fromUtf8 that also counts the bytes it had to replace (a literal U+FFFD in the file is not
// a replacement).
std::u16string fromUtf8Counting(std::string_view bytes, std::size_t &bad) {
    // At most one unit a byte; written through a pointer and cut to size at the end.
    std::u16string out(bytes.size(), u'\0');
    char16_t *o = out.data();
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t size = bytes.size();
    char32_t cp;
    for (std::size_t i = 0; i < size;) {
        const unsigned char lead = b[i];
        if (lead < 0x80) {
            *o++ = lead;
            ++i;
            continue;
        }
        // The usual three-byte sequence (E1..EC, EE, EF: never overlong, never a surrogate).
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
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

std::u16string decodeAs(std::string_view bytes, TextEncoding encoding, std::size_t &bad) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return fromUtf8Counting(bytes, bad);
    case TextEncoding::Utf16LE:
        return fromUtf16(bytes, false, bad);
    case TextEncoding::Utf16BE:
        return fromUtf16(bytes, true, bad);
    default: {
        std::u16string text = CodePage950::instance().decode(bytes);
        for (char16_t c : text)
            bad += c == u'\uFFFD';
        return text;
    }
    }
}

// How much a decoding looks like ordinary Traditional Chinese: the frequent hanzi score
// most, other hanzi and CJK punctuation a little, letters of other scripts next to nothing,
// and replacement and control characters count against it. Both decodings are scored over
// the same bytes, so the sums compare directly.
struct Plausibility {
    double score = 0;
    std::size_t nonAscii = 0;
};

const std::vector<bool> &commonChars() {
    static const std::vector<bool> set = [] {
        std::vector<bool> s(65536);
        for (char16_t c : constants::CommonCharList())
            s[c] = true;
        return s;
    }();
    return set;
}

Plausibility plausibility(std::u16string_view text) {
    const auto &common = commonChars();
    Plausibility p;
    for (char16_t c : text) {
        if (c < 0x80) {
            if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f')
                p.score -= 3;
            continue;
        }
        ++p.nonAscii;
        if (c == u'\uFFFD' || c < 0xA0)
            p.score -= 3;
        else if (common[c])
            p.score += 3;
        else if (int ord = tableOrdinal(c); ord >= 0)
            p.score += ord <= 5400 ? 2 : 1;
        else if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
                 (c >= 0x3000 && c <= 0x312F) || (c >= 0xFF00 && c <= 0xFFEF))
            p.score += 1;
        else if (c >= 0xE000 && c <= 0xF8FF)
            p.score -= 2; // user-defined Big5 codes land here: rare in real text
        else if (c < 0x250)
            p.score += 0.5; // accented Latin letters and Latin-1 signs of a UTF-8 text
    }
    return p;
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
    return fromUtf8Counting(bytes, bad);
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

DecodedText decodeTextDetailed(std::string_view bytes, TextEncoding encoding) {
    DecodedText d;
    auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    std::string_view body = bytes;
    // Replacements in an encoding the user chose say that the choice was wrong, not that the
    // file is no text: only a guess weighs them.
    const bool guessed = encoding == TextEncoding::Auto;
    if (encoding == TextEncoding::Auto) {
        if (starts("\xEF\xBB\xBF"))
            encoding = TextEncoding::Utf8;
        else if (starts("\xFF\xFE"))
            encoding = TextEncoding::Utf16LE;
        else if (starts("\xFE\xFF"))
            encoding = TextEncoding::Utf16BE;
    }
    if (encoding == TextEncoding::Auto) {
        const std::string_view sample = bytes.substr(0, kSampleBytes);
        std::vector<TextEncoding> candidates{TextEncoding::Utf8, TextEncoding::Big5};
        if (auto wide = utf16ByZeroBytes(sample))
            candidates.insert(candidates.begin(), *wide);
        // Every candidate is scored; the best one wins, and a runner-up close behind it, or
        // two clean readings of the same bytes, make the guess one to mention.
        double best = 0, second = 0;
        std::size_t cleanReadings = 0, scored = 0;
        for (TextEncoding candidate : candidates) {
            std::size_t bad = 0;
            const Plausibility p = plausibility(decodeAs(sample, candidate, bad));
            if (scored == 0 && p.nonAscii == 0 && bad == 0) {
                encoding = candidate; // plain ASCII (or ASCII in UTF-16): nothing to weigh
                break;
            }
            cleanReadings += bad == 0;
            if (scored == 0 || p.score > best) {
                second = scored == 0 ? -1e300 : best;
                best = p.score;
                encoding = candidate;
            } else if (p.score > second) {
                second = p.score;
            }
            ++scored;
        }
        d.ambiguous = (second > 0 && second * 2 > best) || (cleanReadings > 1 && best - second < 4);
    } else {
        d.ambiguous = false;
    }
    if (encoding == TextEncoding::Utf8 && starts("\xEF\xBB\xBF"))
        body = bytes.substr(3);
    else if ((encoding == TextEncoding::Utf16LE && starts("\xFF\xFE")) ||
             (encoding == TextEncoding::Utf16BE && starts("\xFE\xFF")))
        body = bytes.substr(2);
    d.encoding = encoding;
    d.text = decodeAs(body, encoding, d.replaced);
    const bool wide = encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
    // Zero bytes are ordinary in UTF-16, so there a binary file shows itself by what it decodes
    // to: control characters and replacements rather than text.
    std::size_t controls = 0;
    for (char16_t c : d.text)
        controls += (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f') || c == 0x7F;
    d.binary = (!wide && bytes.find('\0') != std::string_view::npos) ||
               (guessed && (d.replaced + controls) * 4 > d.text.size());
    return d;
}

std::optional<TextEncoding> encodingFromName(std::string_view name) {
    if (name == "auto")
        return TextEncoding::Auto;
    if (name == "big5" || name == "cp950")
        return TextEncoding::Big5;
    if (name == "utf8" || name == "utf-8")
        return TextEncoding::Utf8;
    if (name == "utf16le" || name == "utf-16le")
        return TextEncoding::Utf16LE;
    if (name == "utf16be" || name == "utf-16be")
        return TextEncoding::Utf16BE;
    return std::nullopt;
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
