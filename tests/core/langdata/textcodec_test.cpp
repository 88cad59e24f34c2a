#include <gtest/gtest.h>

#include "langdata/codepage950.h"
#include "langdata/textcodec.h"

using namespace yuedu;

TEST(TextDecoding, ByteOrderMarksAndValidUtf8MeanUnicode) {
    TextEncoding found;
    EXPECT_EQ(decodeText("\xEF\xBB\xBF\xE5\xAD\x97", TextEncoding::Auto, &found), u"字");
    EXPECT_EQ(found, TextEncoding::Utf8);
    EXPECT_EQ(decodeText(std::string("\xFF\xFE\x57\x5B", 4), TextEncoding::Auto, &found), u"字");
    EXPECT_EQ(found, TextEncoding::Utf16LE);
    EXPECT_EQ(decodeText(std::string("\xFE\xFF\x5B\x57", 4), TextEncoding::Auto, &found), u"字");
    EXPECT_EQ(decodeText("\xE5\xAD\x97", TextEncoding::Auto, &found), u"字");
    EXPECT_EQ(found, TextEncoding::Utf8);
}

TEST(TextDecoding, EverythingElseIsBig5) {
    TextEncoding found;
    EXPECT_EQ(decodeText("\xA6\x72\xA1\x41" "ab", TextEncoding::Auto, &found), u"字，ab");
    EXPECT_EQ(found, TextEncoding::Big5);
    // A lead byte at the very end, or bytes that are not Big5 at all, become U+FFFD; the
    // rest of the text is kept.
    EXPECT_EQ(decodeText("\xA6\x72\xA6"), u"字\uFFFD");
    EXPECT_EQ(decodeText("\x80" "a\xFF", TextEncoding::Big5), u"\uFFFDa\uFFFD");
    // A forced encoding wins over detection.
    EXPECT_EQ(decodeText("\xE5\xAD\x97", TextEncoding::Big5).size(), 2u);
}

TEST(TextDecoding, Utf8RoundTripsIncludingSurrogatePairsAndRejectsOverlongForms) {
    std::u16string text = u"字a\U0002000B。";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));       // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));   // encoded surrogate
    EXPECT_FALSE(isValidUtf8("\xE5\xAD"));       // cut short
    EXPECT_EQ(toUtf8(u"\xD800x"), "\xEF\xBF\xBDx"); // a lone surrogate is replaced
}

TEST(CodePage950Table, EncodeMarksCharactersItCannotMap) {
    std::size_t missing = 0;
    EXPECT_EQ(CodePage950::instance().encode(u"字\u4e2a", &missing), "\xA6\x72?");
    EXPECT_EQ(missing, 1u);
}
