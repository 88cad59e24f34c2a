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
    const std::u16string extensionLine = u"𠀋𪚥𠀀𠂇𡃁𤴓，𥁕𦊕𧋍𨋢𩸽𠮷。𡈽𢫏𣎴𠀁";
    const std::u16string extension = extensionLine + extensionLine + extensionLine;
    const std::u16string repeated(48, u'的');
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
        // The same six bytes are also three GBK hanzi (谋搂戮): Big5 wins, but narrowly.
        {"Big5 that is also valid UTF-8", "\xC4\xB1\xC2\xA7\xC2\xBE", TextEncoding::Big5, u"覺禮職",
         0, true},
        {"Big5 cut after a lead byte", big5(kProse) + "\xA6", TextEncoding::Big5,
         kProse + u"\uFFFD", 1, false},
        {"UTF-16LE without mark", utf16(kProse, false), TextEncoding::Utf16LE, kProse, 0, false},
        {"UTF-16BE without mark", utf16(kProse, true), TextEncoding::Utf16BE, kProse, 0, false},
        // Readings are weighed by the bytes they explain, not by how many characters they make
        // of them: GB18030 reads two characters out of the four bytes of an extension hanzi.
        {"UTF-8 of extension hanzi", toUtf8(extension), TextEncoding::Utf8, extension, 0, false},
        // Too little to tell by, but read right, and called a guess.
        {"UTF-8 of signs only",
         "a\xE3\x80\x87"
         "b\xE2\x91\xA0\xE2\x99\xAA",
         TextEncoding::Utf8, u"a〇b①♪", 0, true},
        {"one hanzi repeated, UTF-16LE without mark", utf16(repeated, false), TextEncoding::Utf16LE,
         repeated, 0, true},
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
    // Among hanzi: a byte that breaks a sequence, an encoded surrogate, the first three-byte
    // character (U+0800) and a sequence cut short at the end.
    const DecodedText d = decodeTextDetailed(
        "\xE5\xAD\x97\xE5\x41\x97\xE5\xAD\x97\xED\xA0\x80\xE0\xA0\x80\xE5\xAD\x97\xE5\xAD",
        TextEncoding::Utf8);
    EXPECT_TRUE(d.text == u"字\uFFFDA\uFFFD字\uFFFD\uFFFD\uFFFD\u0800字\uFFFD\uFFFD");
    EXPECT_EQ(d.replaced, 7u);
}

TEST(CodePage950Table, EncodeMarksCharactersItCannotMap) {
    std::size_t missing = 0;
    EXPECT_EQ(CodePage950::instance().encode(u"字\u4e2a", &missing), "\xA6\x72?");
    EXPECT_EQ(missing, 1u);
}

// Every encoding the decoder reads, of real text, whole, without its marks, cut and damaged:
// the guess must give back the text, and say what it doubted.
TEST(TextDecoding, EveryEncodingIsRecognisedWholeCutAndDamaged) {
    const std::u16string traditional = kProse + u"他說這本書寫得非常精彩，值得大家細細閱讀。\r\n";
    const std::u16string simplified = u"我们今天一起去公园散步，这里的风景很美丽。\r\n"
                                      u"他说这本书写得非常精彩，值得大家细细阅读。\r\n";
    const std::u16string noAscii =
        u"我們今天一起去公園散步，這裡的風景很美麗。他說這本書寫得非常精彩。";
    const std::u16string beyondBmp = u"𠀋字與堃、喆、邨。\r\n";
    auto marked = [](TextEncoding e, std::u16string_view text) {
        return encodeText(std::u16string(u"\uFEFF") + std::u16string(text), e);
    };
    struct Case {
        const char *what;
        std::string bytes;
        TextEncoding encoding;
        std::u16string text;
        std::size_t replaced = 0;
    };
    const Case cases[] = {
        {"Big5", encodeText(traditional, TextEncoding::Big5), TextEncoding::Big5, traditional},
        {"UTF-8", toUtf8(simplified), TextEncoding::Utf8, simplified},
        {"GB18030 (GBK bytes)", encodeText(simplified, TextEncoding::Gb18030),
         TextEncoding::Gb18030, simplified},
        // 简体中文 as GB2312 writes it, and a four-byte GB18030 code (U+20000 is 95 32 82 36).
        {"GB2312 bytes",
         "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4\xA3\xAC\xCE\xD2\xC3\xC7\xCB\xB5\xD5\xE2"
         "\xB8\xF6\xB7\xBD\xB7\xA8\xBA\xDC\xBA\xC3\xA1\xA3",
         TextEncoding::Gb18030, u"简体中文，我们说这个方法很好。"},
        {"GB18030 beyond the BMP", encodeText(simplified + u"𠀀", TextEncoding::Gb18030),
         TextEncoding::Gb18030, simplified + u"𠀀"},
        {"UTF-16LE with mark", marked(TextEncoding::Utf16LE, traditional), TextEncoding::Utf16LE,
         traditional},
        {"UTF-16BE with mark", marked(TextEncoding::Utf16BE, traditional), TextEncoding::Utf16BE,
         traditional},
        {"UTF-16LE, no mark, no ASCII", encodeText(noAscii, TextEncoding::Utf16LE),
         TextEncoding::Utf16LE, noAscii},
        {"UTF-16BE, no mark, no ASCII", encodeText(noAscii, TextEncoding::Utf16BE),
         TextEncoding::Utf16BE, noAscii},
        {"UTF-32LE with mark", marked(TextEncoding::Utf32LE, beyondBmp), TextEncoding::Utf32LE,
         beyondBmp},
        {"UTF-32BE with mark", marked(TextEncoding::Utf32BE, beyondBmp), TextEncoding::Utf32BE,
         beyondBmp},
        {"UTF-32LE without mark", encodeText(traditional, TextEncoding::Utf32LE),
         TextEncoding::Utf32LE, traditional},
        {"UTF-32BE without mark", encodeText(traditional, TextEncoding::Utf32BE),
         TextEncoding::Utf32BE, traditional},
        {"GB18030 cut after a lead byte", encodeText(simplified, TextEncoding::Gb18030) + "\xCE",
         TextEncoding::Gb18030, simplified + u"\uFFFD", 1},
        {"GB18030 with a stray byte",
         encodeText(simplified, TextEncoding::Gb18030) + "\xFF" +
             encodeText(simplified, TextEncoding::Gb18030),
         TextEncoding::Gb18030, simplified + u"\uFFFD" + simplified, 1},
        {"UTF-32LE cut inside its last unit", encodeText(traditional, TextEncoding::Utf32LE) + "x",
         TextEncoding::Utf32LE, traditional + u"\uFFFD", 1},
        {"UTF-16LE, no mark, no ASCII, cut", encodeText(noAscii, TextEncoding::Utf16LE) + "\x4E",
         TextEncoding::Utf16LE, noAscii + u"\uFFFD", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedText d = decodeTextDetailed(c.bytes);
        EXPECT_EQ(encodingName(d.encoding), std::string(encodingName(c.encoding)));
        EXPECT_TRUE(d.text == c.text) << toUtf8(d.text);
        EXPECT_EQ(d.replaced, c.replaced);
        EXPECT_FALSE(d.ambiguous);
        EXPECT_FALSE(d.binary);
        // Read again in the encoding found (as the piecewise reader does), the same text.
        EXPECT_TRUE(decodeTextDetailed(c.bytes, d.encoding).text == c.text);
    }
    // Simplified hanzi Big5 has no code for are no Big5 at all, and an encoding the user names
    // wins over the guess.
    std::size_t missing = 0;
    encodeText(u"们这说", TextEncoding::Big5, &missing);
    EXPECT_EQ(missing, 3u);
    EXPECT_EQ(decodeTextDetailed(encodeText(traditional, TextEncoding::Big5), TextEncoding::Gb18030)
                  .encoding,
              TextEncoding::Gb18030);
    EXPECT_EQ(encodingFromName("GBK"), TextEncoding::Gb18030);
    EXPECT_EQ(encodingFromName("utf-32le"), TextEncoding::Utf32LE);
    EXPECT_EQ(encodingFromName("latin1"), std::nullopt);
}
