#include <gtest/gtest.h>

#include "docfile/rtfreader.h"
#include "docfile/rtfwriter.h"

using namespace yuedu::doc;

namespace {

CharFormat fmt(bool b, bool i, bool u, bool s, std::optional<std::uint32_t> color = {},
               std::u16string font = {}, int size = 0) {
    CharFormat f;
    f.bold = b, f.italic = i, f.underline = u, f.strikeThrough = s, f.color = color;
    f.fontName = std::move(font), f.sizeHalfPoints = size;
    return f;
}

} // namespace

TEST(RtfWriter, RoundTripKeepsTextAndEveryFormat) {
    RichDocument d;
    d.append(u"天地", fmt(false, false, false, false, {}, u"新細明體", 21));
    d.append(u"玄", fmt(true, false, false, false, {}, u"新細明體", 21));
    d.append(u"黃", fmt(false, true, true, false, 0x123456, u"Arial", 32));
    d.append(u"\n{a\\b}\t", fmt(false, false, false, true, {}, u"新細明體", 21));
    d.append(u"\u00E9\u20AC\U0001F600", fmt(false, false, false, false, {}, u"新細明體", 21));
    d.append(u"\n\n", fmt(false, false, false, false, {}, u"新細明體", 21));

    RtfReadResult back = readRtf(writeRtf(d));
    EXPECT_FALSE(back.truncated);
    ASSERT_EQ(back.document.runs().size(), d.runs().size());
    for (std::size_t k = 0; k < d.runs().size(); ++k) {
        EXPECT_EQ(back.document.runs()[k].text, d.runs()[k].text) << k;
        EXPECT_EQ(back.document.runs()[k].format, d.runs()[k].format) << k;
    }
}

TEST(RtfWriter, Big5FallbackBytesServeReadersWithoutUnicode) {
    RichDocument d = RichDocument::fromPlainText(u"天a");
    std::string rtf = writeRtf(d);
    EXPECT_NE(rtf.find("\\ansicpg950"), std::string::npos);
    EXPECT_NE(rtf.find("\\fcharset136"), std::string::npos);
    EXPECT_NE(rtf.find("\\uc2\\u22825\\'a4\\'d1a"), std::string::npos);
    // Drop the \u escapes as an old reader would: the bytes alone still say 天.
    std::string legacy = rtf;
    for (std::size_t p; (p = legacy.find("\\uc2\\u22825")) != std::string::npos;)
        legacy.erase(p, 11);
    EXPECT_EQ(readRtf(legacy).document.plainText(), u"天a");
}

TEST(RtfWriter, EmptyDocumentReadsBackEmpty) {
    EXPECT_EQ(readRtf(writeRtf(RichDocument{})).document.plainText(), u"");
}
