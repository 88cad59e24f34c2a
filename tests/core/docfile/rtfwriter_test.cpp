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

TEST(RtfWriter, ParagraphFormatsSurviveReadingAndWriting) {
    ParagraphFormat centred{Alignment::Center};
    ParagraphFormat indented{Alignment::Justify, 720, 360, -240, 120, 240};
    ParagraphFormat right{Alignment::Right};
    RichDocument d;
    // Paragraph breaks inside one run, and a plain paragraph between formatted ones.
    d.append(u"置中\n兩端", fmt(false, false, false, false, {}, u"新細明體", 21));
    d.append(u"對齊\n普通\n", fmt(true, false, false, false, {}, u"新細明體", 21));
    d.append(u"靠右", fmt(false, false, false, false, {}, u"新細明體", 21));
    d.setParagraphFormat(0, centred);
    d.setParagraphFormat(1, indented);
    d.setParagraphFormat(3, right);

    const RichDocument back = readRtf(writeRtf(d)).document;
    EXPECT_EQ(back.plainText(), d.plainText());
    ASSERT_EQ(back.runs().size(), d.runs().size());
    for (std::size_t k = 0; k < d.runs().size(); ++k)
        EXPECT_EQ(back.runs()[k].format, d.runs()[k].format) << k;
    for (std::size_t p = 0; p < 5; ++p)
        EXPECT_EQ(back.paragraphFormat(p), d.paragraphFormat(p)) << p;

    // As word processors write it: properties before the text, reset by \pard, and kept by a
    // last paragraph that has no \par of its own.
    const RichDocument wordpad =
        readRtf("{\\rtf1\\ansi\\ansicpg950\\pard\\qc\\sa200 \\'b8\\'6d\\'a4\\'a4\\par\\pard "
                "left\\par\\pard\\li720\\fi-360\\qr end}")
            .document;
    EXPECT_EQ(wordpad.plainText(), u"置中\nleft\nend");
    EXPECT_EQ(wordpad.paragraphFormat(0), (ParagraphFormat{Alignment::Center, 0, 0, 0, 0, 200}));
    EXPECT_EQ(wordpad.paragraphFormat(1), ParagraphFormat{});
    EXPECT_EQ(wordpad.paragraphFormat(2), (ParagraphFormat{Alignment::Right, 720, 0, -360}));
}
