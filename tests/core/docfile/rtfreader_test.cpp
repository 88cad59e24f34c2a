#include <gtest/gtest.h>

#include "common/errors.h"
#include "docfile/documentreader.h"
#include "docfile/rtfreader.h"
#include "docfile/rtfwriter.h"

using namespace yuedu;
using namespace yuedu::doc;

namespace {

std::string dataFile(const char *name) {
    return readFileBytes(std::string(DOCFILE_TEST_DATA) + "/" + name);
}

// The run that contains the given text, or nullptr.
const doc::Run *runWith(const RichDocument &d, std::u16string_view text) {
    for (const auto &r : d.runs())
        if (r.text.find(text) != std::u16string::npos)
            return &r;
    return nullptr;
}

} // namespace

TEST(RtfReader, LibreOfficeFileKeepsTextAndCjkFormatting) {
    RtfReadResult r = readRtf(dataFile("libreoffice_formatted.rtf"));
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(r.document.plainText(), u"天地玄黃，宇宙洪荒。\n粗體字 斜體字 底線字 刪除線 紅色字\n"
                                      u"Plain ASCII {braces} and \\backslash");
    struct Case {
        std::u16string_view text;
        bool bold, italic, underline, strike;
        bool red;
    } cases[] = {
        {u"天地玄黃", false, false, false, false, false},
        {u"粗體字", true, false, false, false, false},
        {u"斜體字", false, true, false, false, false},
        {u"底線字", false, false, true, false, false},
        {u"刪除線", false, false, false, true, false},
        {u"紅色字", false, false, false, false, true},
    };
    for (const auto &c : cases) {
        const doc::Run *run = runWith(r.document, c.text);
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(run->format.bold, c.bold);
        EXPECT_EQ(run->format.italic, c.italic);
        EXPECT_EQ(run->format.underline, c.underline);
        EXPECT_EQ(run->format.strikeThrough, c.strike);
        EXPECT_EQ(run->format.color == std::optional<std::uint32_t>(0xFF0000), c.red);
    }
    EXPECT_EQ(runWith(r.document, u"天地玄黃")->format.fontName, u"AR PL UMing TW");
}

// A file this program wrote, opened and saved again by LibreOffice.
TEST(RtfReader, LibreOfficeResaveOfOurFileKeepsItsFormatting) {
    RtfReadResult r = readRtf(dataFile("libreoffice_resaved.rtf"));
    EXPECT_EQ(r.document.plainText(), u"天地玄黃，宇宙洪荒日月\n盈昃");
    EXPECT_FALSE(runWith(r.document, u"天地")->format.bold);
    EXPECT_TRUE(runWith(r.document, u"宇宙")->format.bold);
    EXPECT_TRUE(runWith(r.document, u"洪荒")->format.underline);
    EXPECT_FALSE(runWith(r.document, u"宇宙")->format.underline);
    const doc::Run *red = runWith(r.document, u"日月");
    EXPECT_EQ(red->format.color, std::optional<std::uint32_t>(0xFF0000));
    EXPECT_EQ(red->format.sizeHalfPoints, 32);
    EXPECT_EQ(red->format.fontName, u"AR PL UMing TW");
    EXPECT_EQ(runWith(r.document, u"宇宙")->format.sizeHalfPoints, 21);
}

TEST(RtfReader, WordPadBig5BytesDecodeThroughTheFontCharset) {
    RtfReadResult r = readRtf(dataFile("wordpad_big5.rtf"));
    EXPECT_EQ(r.document.plainText(), u"天地玄黃ok\n宇宙");
    const doc::Run *bold = runWith(r.document, u"玄");
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->format.bold);
    EXPECT_EQ(bold->text, u"玄");
    EXPECT_EQ(bold->format.fontName, u"新細明體");
    EXPECT_EQ(bold->format.sizeHalfPoints, 21);
    EXPECT_EQ(runWith(r.document, u"黃")->format.color, std::optional<std::uint32_t>(0x0000FF));
    EXPECT_EQ(runWith(r.document, u"ok")->format.fontName, u"Arial");
}

TEST(RtfReader, UnicodeEscapesSkipTheirFallback) {
    struct Case {
        const char *rtf;
        std::u16string text;
    } cases[] = {
        {R"({\rtf1\u22825?\u22320?})", u"天地"},
        {R"({\rtf1\uc2\u22825\'a4\'d1x})", u"天x"},
        {R"({\rtf1\uc0\u22825 x})", u"天x"},
        {R"({\rtf1\u-257?})", u"\uFEFF"},
        // The skip count does not cross a group end.
        {R"({\rtf1{\uc3\u22825}ab})", u"天ab"},
        {R"({\rtf1\ansicpg950\'a4\'d1\'a6\'61})", u"天地"},
        {R"({\rtf1\ansi a\~b\emdash c\tab d\line e})", u"a\u00A0b\u2014c\td\ne"},
        {R"({\rtf1 {\*\unknown hidden}{\info{\title t}}shown})", u"shown"},
        {R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})", u"link"},
        {R"({\rtf1 a\bin3 }}}b})", u"ab"},
        // Word's pair of a byte version and a Unicode version: only the latter is text.
        {R"({\rtf1 {\upr{\'a4\'d1}{\*\ud{\u22825?}}}x})", u"天x"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(readRtf(c.rtf).document.plainText(), c.text) << c.rtf;
}

TEST(DocumentReader, PlainTextIsBig5OrUnicode) {
    struct Case {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {dataFile("big5_plain.txt"), u"天地玄黃。\n宇宙洪荒。\n"},
        {"\xE5\xA4\xA9\xE5\x9C\xB0", u"天地"},       // valid UTF-8
        {"\xEF\xBB\xBF\xE5\xA4\xA9", u"天"},         // UTF-8 with a mark
        {std::string("\xFF\xFE\x29\x59", 4), u"天"}, // UTF-16LE with a mark
        {"a\rb\r\nc", u"a\nb\nc"},
    };
    for (const auto &c : cases) {
        LoadedDocument d = readDocument(c.bytes, "t");
        EXPECT_EQ(d.kind, DocumentKind::PlainText);
        EXPECT_EQ(d.document.plainText(), c.text);
    }
    EXPECT_EQ(readDocument(dataFile("wordpad_big5.rtf"), "t").kind, DocumentKind::Rtf);
}

TEST(DocumentReader, MissingFileNamesThePath) {
    try {
        readFileBytes("/nonexistent/dir/x.rtf");
        FAIL();
    } catch (const IoError &e) {
        EXPECT_EQ(e.path(), "/nonexistent/dir/x.rtf");
    }
}

// A file LibreOffice wrote (from libreoffice_layout.fodt): what a word processor puts there
// survives reading, and writing it again keeps every part of it.
TEST(RtfReader, WordProcessorLayoutSurvivesARoundTrip) {
    const RtfReadResult first = readRtf(dataFile("libreoffice_layout.rtf"));
    const RichDocument &d = first.document;
    EXPECT_EQ(d.plainText(),
              u"天地玄黃，宇宙洪荒。\n日月盈昃，辰宿列張。\nH2O x2\t刪除\nSans text and mono text");
    ASSERT_NE(runWith(d, u"\u2028"), nullptr); // \line stays inside its paragraph
    EXPECT_EQ(runWith(d, u"玄黃")->format.highlight, 0xFFFF00u);
    EXPECT_FALSE(runWith(d, u"天地")->format.highlight);
    EXPECT_EQ(d.paragraphFormat(0).lineSpacing, 360);
    EXPECT_TRUE(d.paragraphFormat(0).lineMultiple);
    EXPECT_EQ(d.paragraphFormat(1).lineSpacing, 480);
    EXPECT_EQ(d.paragraphFormat(1).alignment, Alignment::Center);
    EXPECT_EQ(runWith(d, u"刪除")->format.strikeThrough, true);
    EXPECT_EQ(runWith(d, u"H")->format.position, VerticalPosition::Normal);
    const CharFormat sans = runWith(d, u"Sans")->format, mono = runWith(d, u"mono")->format;
    EXPECT_EQ(sans.fontName, u"Liberation Sans");
    EXPECT_EQ(sans.fontFamily, FontFamily::Swiss);
    EXPECT_EQ(sans.fontCharset, 0);
    EXPECT_EQ(mono.fontFamily, FontFamily::Modern);
    EXPECT_EQ(runWith(d, u"H")->format.fontName, u"Liberation Serif");
    EXPECT_EQ(runWith(d, u"H")->format.fontFamily, FontFamily::Roman);
    EXPECT_EQ(runWith(d, u"天地")->format.sizeHalfPoints, 24);
    int subscripts = 0, superscripts = 0;
    for (const auto &r : d.runs())
        if (r.text == u"2") {
            subscripts += r.format.position == VerticalPosition::Subscript;
            superscripts += r.format.position == VerticalPosition::Superscript;
        }
    EXPECT_EQ(subscripts, 1);
    EXPECT_EQ(superscripts, 1);
    EXPECT_EQ(first.unsupported, 0u);

    const RtfReadResult again = readRtf(writeRtf(d));
    ASSERT_EQ(again.document.runs().size(), d.runs().size());
    for (std::size_t k = 0; k < d.runs().size(); ++k) {
        EXPECT_EQ(again.document.runs()[k].text, d.runs()[k].text);
        // Text in a font the table lacks is written in the document's default font.
        CharFormat expected = d.runs()[k].format;
        if (expected.fontName.empty())
            expected.fontName = RtfWriteOptions{}.defaultFont;
        EXPECT_TRUE(again.document.runs()[k].format == expected) << k;
    }
    for (std::size_t p = 0; p < 4; ++p)
        EXPECT_TRUE(again.document.paragraphFormat(p) == d.paragraphFormat(p)) << p;
}

// Word's \highlight, RTF's default size of 12 points, and formatting this reader does not keep
// (counted once each, so that saving can warn).
TEST(RtfReader, HighlightDefaultSizeAndWhatIsSkipped) {
    const RtfReadResult r =
        readRtf("{\\rtf1{\\colortbl;\\red255\\green255\\blue0;}plain {\\highlight1 marked}"
                "{\\pict\\pngblip 00}\\trowd\\cellx100\\trowd x\\par}");
    EXPECT_EQ(runWith(r.document, u"plain")->format.sizeHalfPoints, 24);
    EXPECT_EQ(runWith(r.document, u"marked")->format.highlight, 0xFFFF00u);
    EXPECT_EQ(r.unsupported, 3u); // the picture, \trowd and \cellx
    EXPECT_NE(writeRtf(r.document).find("\\highlight1 marked"), std::string::npos);
}
