#include <gtest/gtest.h>

#include "langdata/codepage950.h"
#include "langdata/textcodec.h"

using namespace yuedu;

namespace {

std::string big5(std::u16string_view text) {
    return CodePage950::instance().encode(text);
}

std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string out;
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

const std::u16string kProse = u"今天的天氣很好，我們一起到公園去散步。\r\n";

} // namespace

TEST(TextDecoding, GuessWeighsTheEvidenceOfEachReading) {
    const std::string prose8 = toUtf8(kProse + kProse);
    struct Case {
        const char *what;
        std::string bytes;
        TextEncoding encoding;
        std::u16string text;
        std::size_t replaced;
        bool ambiguous;
    };
    const Case cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF\xE5\xAD\x97", TextEncoding::Utf8, u"字", 0, false},
        {"UTF-16LE mark", std::string("\xFF\xFE\x57\x5B", 4), TextEncoding::Utf16LE, u"字", 0,
         false},
        {"UTF-16BE mark", std::string("\xFE\xFF\x5B\x57", 4), TextEncoding::Utf16BE, u"字", 0,
         false},
        {"ASCII", "plain\r\n", TextEncoding::Utf8, u"plain\r\n", 0, false},
        {"UTF-8 prose", prose8, TextEncoding::Utf8, kProse + kProse, 0, false},
        {"UTF-8 cut inside its last character", prose8 + "\xE5\xAD", TextEncoding::Utf8,
         kProse + kProse + u"\uFFFD\uFFFD", 2, false},
        {"UTF-8 with one bad byte", toUtf8(kProse) + "\xFF" + toUtf8(kProse), TextEncoding::Utf8,
         kProse + u"\uFFFD" + kProse, 1, false},
        {"Big5 prose", big5(kProse), TextEncoding::Big5, kProse, 0, false},
        {"Big5 that is also valid UTF-8", "\xC4\xB1\xC2\xA7\xC2\xBE", TextEncoding::Big5, u"覺禮職",
         0, false},
        {"Big5 cut after a lead byte", big5(kProse) + "\xA6", TextEncoding::Big5,
         kProse + u"\uFFFD", 1, false},
        {"UTF-16LE without mark", utf16(kProse, false), TextEncoding::Utf16LE, kProse, 0, false},
        {"UTF-16BE without mark", utf16(kProse, true), TextEncoding::Utf16BE, kProse, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedText d = decodeTextDetailed(c.bytes);
        EXPECT_EQ(encodingName(d.encoding), std::string(encodingName(c.encoding)));
        EXPECT_TRUE(d.text == c.text);
        EXPECT_EQ(d.replaced, c.replaced);
        EXPECT_EQ(d.ambiguous, c.ambiguous);
        EXPECT_FALSE(d.binary);
        TextEncoding found;
        EXPECT_TRUE(decodeText(c.bytes, TextEncoding::Auto, &found) == c.text);
        EXPECT_EQ(found, c.encoding);
    }
}

TEST(TextDecoding, ForcedEncodingWinsAndBinaryIsNoticed) {
    EXPECT_EQ(decodeText("\x80"
                         "a\xFF",
                         TextEncoding::Big5),
              u"\uFFFDa\uFFFD");
    EXPECT_EQ(decodeText("\xE5\xAD\x97", TextEncoding::Big5).size(), 2u);
    const DecodedText forced = decodeTextDetailed(toUtf8(kProse), TextEncoding::Utf16LE);
    EXPECT_EQ(forced.encoding, TextEncoding::Utf16LE);
    EXPECT_FALSE(forced.ambiguous);
    // A literal U+FFFD in a UTF-8 file is text, not a replacement.
    EXPECT_EQ(decodeTextDetailed("\xEF\xBF\xBD", TextEncoding::Utf8).replaced, 0u);
    EXPECT_TRUE(decodeTextDetailed(std::string("\x7F"
                                               "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0",
                                               16))
                    .binary);
    EXPECT_TRUE(decodeTextDetailed("\x80\xFF\x80\xFF\xA0\x80").binary);
}

TEST(TextDecoding, Utf8RoundTripsIncludingSurrogatePairsAndRejectsOverlongForms) {
    std::u16string text = u"字a\U0002000B。";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // encoded surrogate
    EXPECT_FALSE(isValidUtf8("\xE5\xAD"));          // cut short
    EXPECT_EQ(toUtf8(u"\xD800x"), "\xEF\xBF\xBDx"); // a lone surrogate is replaced
}

TEST(CodePage950Table, EncodeMarksCharactersItCannotMap) {
    std::size_t missing = 0;
    EXPECT_EQ(CodePage950::instance().encode(u"字\u4e2a", &missing), "\xA6\x72?");
    EXPECT_EQ(missing, 1u);
}
