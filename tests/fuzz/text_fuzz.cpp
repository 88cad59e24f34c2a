// libFuzzer target: plain-text detection and decoding.
//
// The bytes as a file: whatever they are, the decoded text written as UTF-8 reads back unchanged
// and without replacements, the replacements counted are the U+FFFD the decoding made, and
// reading in the detected encoding gives the same text.
//
// The bytes as a text: they also choose a text (frequent hanzi of both scripts, hanzi outside
// Big5 and beyond the BMP, punctuation, ASCII, line ends), which is written in every encoding
// the decoder reads. Read in its own encoding it comes back exactly; with a byte-order mark the
// guess finds it exactly, never ambiguous or binary; without one, a guess that reads another
// text says that it was a guess, and a text is never taken for a binary file (unless three in
// four of its bytes are ASCII text, which is read as such).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "langdata/codepage950.h"
#include "langdata/constants.h"
#include "langdata/textcodec.h"

using namespace yuedu;

namespace {

[[noreturn]] void fail(const char *what, TextEncoding e = TextEncoding::Auto) {
    std::fprintf(stderr, "invariant broken: %s (%s)\n", what, encodingName(e));
    std::abort();
}

void checkAnyBytes(std::string_view bytes) {
    const DecodedText d = decodeTextDetailed(bytes);
    std::size_t marks = 0;
    for (char16_t c : d.text)
        marks += c == u'\uFFFD';
    if (d.replaced > marks || d.replaced > bytes.size())
        fail("more replacements counted than made");
    // Written as UTF-8, a leading U+FEFF is a byte-order mark again and is dropped on reading.
    const std::u16string_view kept =
        std::u16string_view(d.text).substr(!d.text.empty() && d.text[0] == u'\uFEFF');
    const DecodedText again = decodeTextDetailed(toUtf8(d.text), TextEncoding::Utf8);
    if (again.text != kept || again.replaced != 0)
        fail("the decoded text does not survive UTF-8");
    if (decodeTextDetailed(bytes, d.encoding).text != d.text)
        fail("the detected encoding reads differently when given", d.encoding);
    if (isValidUtf8(bytes) && toUtf8(fromUtf8(bytes)) != bytes)
        fail("valid UTF-8 does not round-trip");
}

// The characters a fuzzed text is made of; each input byte picks one (two bytes for a hanzi
// of the frequent list).
std::u16string textOf(std::string_view bytes) {
    static const std::u16string &common = constants::CommonCharList();
    static const std::u16string_view others[] = {
        u"，", u"。", u"、", u"「", u"」", u"！", u"？", u"\r\n", u"\n", u" ",  u"们",
        u"这", u"说", u"国", u"门", u"书", u"堃", u"喆", u"邨",   u"𠀋", u"𪚥", u"一",
        u"丁", u"a",  u"Z",  u"7",  u"-",  u".",  u"é",  u"　",   u"（", u"）"};
    constexpr std::size_t kOthers = sizeof others / sizeof others[0];
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0xC0 || i + 1 == bytes.size()) {
            text += others[b % kOthers];
        } else {
            const auto next = static_cast<unsigned char>(bytes[++i]);
            text += common[((b - 0xC0) * 256 + next) % common.size()];
        }
    }
    return text;
}

// Hanzi of the frequent list in the text, counting only when at least 16 different ones are
// there: what makes a text plainly ordinary Chinese.
std::size_t frequentHanziIn(std::u16string_view text) {
    static const std::vector<bool> frequent = [] {
        std::vector<bool> f(65536);
        for (char16_t c : constants::CommonCharList())
            f[c] = true;
        return f;
    }();
    std::vector<bool> seen(65536);
    std::size_t n = 0, distinct = 0;
    for (char16_t c : text)
        if (frequent[c]) {
            ++n;
            distinct += !seen[c];
            seen[c] = true;
        }
    return distinct >= 16 ? n : 0;
}

// Hanzi (and CJK signs) in the text, in UTF-16 units.
std::size_t hanziIn(std::u16string_view text) {
    std::size_t n = 0;
    for (char16_t c : text)
        n += c >= 0x3400;
    return n;
}

// Bytes that are mostly ASCII text (printable, blanks, line ends) are read as such: UTF-16 of
// hanzi whose two bytes are such (是 is 2F 66, 上 0A 4E), with little else, cannot be told
// from it.
bool asciiTextBytes(std::string_view bytes) {
    std::size_t ascii = 0;
    for (char b : bytes)
        ascii += (b >= 0x20 && b < 0x7F) || b == '\t' || b == '\n' || b == '\r' || b == '\f';
    return ascii * 4 >= bytes.size() * 3;
}

void checkText(std::string_view bytes) {
    const std::u16string text = textOf(bytes);
    if (text.empty())
        return;
    const TextEncoding all[] = {TextEncoding::Utf8,    TextEncoding::Big5,    TextEncoding::Gb18030,
                                TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf32LE,
                                TextEncoding::Utf32BE};
    for (TextEncoding e : all) {
        std::size_t unmapped = 0;
        const std::string written = encodeText(text, e, &unmapped);
        if (unmapped > 0) {
            if (e != TextEncoding::Big5)
                fail("a Unicode encoding lost a character", e);
            continue; // Big5 has no code for this text
        }
        const DecodedText own = decodeTextDetailed(written, e);
        if (own.text != text || own.replaced != 0 || own.ambiguous || own.binary)
            fail("a text does not come back in its own encoding", e);

        const bool unicode = e != TextEncoding::Big5 && e != TextEncoding::Gb18030;
        if (unicode) {
            const DecodedText marked = decodeTextDetailed(encodeText(u"\uFEFF" + text, e));
            if (marked.encoding != e || marked.text != text || marked.ambiguous || marked.binary)
                fail("a text with a byte-order mark is not read as marked", e);
        }
        const DecodedText guessed = decodeTextDetailed(written);
        if (asciiTextBytes(written))
            continue;
        // A text of some hanzi is taken for a text (in UTF-16 without a mark, one of ordinary
        // Chinese: a few characters repeated, or mostly signs, can fall as no text does).
        const bool utf16 = e == TextEncoding::Utf16LE || e == TextEncoding::Utf16BE;
        if (guessed.binary && (utf16 ? frequentHanziIn(text) : hanziIn(text)) >= 16)
            fail("a text was taken for a binary file", e);
        // A short text may read as well in another encoding, and so may one that repeats a few
        // characters (a line of 堃 in GB18030 reads as UTF-16 hanzi too); a text of some length
        // in ordinary Chinese read as another is a silent mistake unless the guess says so.
        if (guessed.text != text && !guessed.ambiguous && frequentHanziIn(text) >= 32)
            fail("a wrong guess was not called a guess", e);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    checkAnyBytes(bytes);
    // Texts are made of the first 4 KB: long enough to be sure, quick to write seven times.
    checkText(bytes.substr(0, 1 << 12));
    return 0;
}
