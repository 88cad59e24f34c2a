// A text read in pieces, however small, and segmented piece by piece gives the lines of the
// whole text: long lines with no line end to cut at, CR LF parted between two pieces, and
// characters of two bytes or more (pairs of UTF-16 units too) that a cut must not split.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "cli/textstream.h"
#include "langdata/textcodec.h"
#include "segtestdata.h"

using yuedu::TextEncoding;
using yuedu::cli::InputStream;
using yuedu::seg::PhraseDivider;

namespace {

std::u16string segmentInPieces(const PhraseDivider &divider, const std::string &path,
                               TextEncoding encoding, std::size_t pieceBytes) {
    std::u16string out;
    PhraseDivider::Stream stream(divider, [&out](std::u16string_view line) { out += line; });
    InputStream input(path, encoding, false, pieceBytes);
    std::u16string piece;
    while (input.next(piece))
        stream.write(piece);
    stream.finish();
    return out;
}

} // namespace

TEST(ReadingInPieces, SegmentsAsTheWholeText) {
    const yuedu::testing::SegFixture f({u"早上", u"我們", u"公園", u"高興", u"資訊科學"});
    std::u16string text;
    // One long line without blanks or line ends, then short lines with CR LF, then a long
    // line of hanzi and full-width signs only (nothing below 0x40 in Big5 to cut before).
    for (int i = 0; i < 700; ++i)
        text += u"今天早上我們三個人在公園裡跑來跑去，玩得非常高興。";
    for (int i = 0; i < 300; ++i)
        text += u"我們學資訊科學 12 次。\r\n看看看一條條\r\n";
    for (int i = 0; i < 700; ++i)
        text += u"小狗狗也跟著跑，好極了！";
    const std::u16string whole = f.divide(text);
    const std::u16string beyond = text + u"\U0002000B\U0002000B字";

    const auto path = std::filesystem::temp_directory_path() /
                      ("yuedu-textstream-" + std::to_string(::getpid()) + ".txt");
    struct Case {
        TextEncoding encoding;
        const std::u16string &text;
    };
    for (const Case &c : {Case{TextEncoding::Utf8, beyond}, Case{TextEncoding::Auto, beyond},
                          Case{TextEncoding::Utf16LE, beyond}, Case{TextEncoding::Big5, text},
                          Case{TextEncoding::Gb18030, text}}) {
        const TextEncoding as = c.encoding == TextEncoding::Auto ? TextEncoding::Utf8 : c.encoding;
        std::ofstream(path, std::ios::binary) << yuedu::encodeText(c.text, as);
        const std::u16string expected = &c.text == &text ? whole : f.divide(beyond);
        for (std::size_t pieceBytes : {2, 61, 5000, 1 << 20})
            EXPECT_EQ(segmentInPieces(f.divider(), path.string(), c.encoding, pieceBytes), expected)
                << yuedu::encodingName(c.encoding) << ", pieces of " << pieceBytes << " bytes";
    }
    std::filesystem::remove(path);
}

// The start of a file decides whether it is text: read in pieces, a file is refused exactly
// when the start read whole is judged binary, also near the line between the two and with the
// bad bytes right at the end of what the start covers.
TEST(ReadingInPieces, RefusesWhatTheWholeStartRefuses) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("yuedu-textstream-binary-" + std::to_string(::getpid()) + ".txt");
    constexpr std::size_t kPiece = 5000;
    const std::size_t start = kPiece + (std::size_t(1) << 16); // what the first read covers
    std::string hanzi;
    while (hanzi.size() < 2 * start)
        hanzi += "\xE4\xBB\x8A\xE5\xA4\xA9\xE6\x97\xA9\xE4\xB8\x8A\n"; // 今天早上
    for (const bool atEnd : {false, true}) {
        for (std::size_t bad = start / 10; bad <= start / 8; bad += start / 1000) {
            // Lone continuation bytes, each one replacement, spread out or packed before the end
            // of the start (where the first piece may be cut).
            std::string bytes = hanzi;
            for (std::size_t k = 0; k < bad; ++k)
                bytes[atEnd ? start - 1 - k : k * (start / bad)] = '\x80';
            std::ofstream(path, std::ios::binary) << bytes;
            const bool whole = yuedu::decodeTextDetailed(bytes.substr(0, start)).binary;
            bool refused = false;
            try {
                InputStream input(path.string(), TextEncoding::Auto, false, kPiece);
                std::u16string piece;
                input.next(piece);
            } catch (const std::exception &) {
                refused = true;
            }
            EXPECT_EQ(refused, whole) << bad << " bad bytes" << (atEnd ? " at the end" : "");
        }
    }
    std::filesystem::remove(path);
}
