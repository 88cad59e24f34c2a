// Broken input must give text or a FormatError, never a crash or a hang.
#include <gtest/gtest.h>

#include <random>

#include "common/errors.h"
#include "docfile/rtfreader.h"
#include "docfile/rtfwriter.h"

using namespace yuedu;
using namespace yuedu::doc;

TEST(MalformedRtf, BrokenInputIsReadAsFarAsItGoes) {
    struct Case {
        std::string rtf;
        std::u16string text;
        bool truncated;
    } cases[] = {
        {"{\\rtf1 abc", u"abc", true},
        {"{\\rtf1 abc}}}}}xyz", u"abc", false},
        {"{\\rtf1 {{{{a}", u"a", true},
        {"{\\rtf1 a\\", u"a", true},
        {"{\\rtf1 a\\'", u"a", true},
        {"{\\rtf1 a\\'4", u"a", true},
        {"{\\rtf1 a\\'zz b}", u"a b", false},
        {"{\\rtf1 \\fs99999999999999999999 a\\u99999999999999999 b}", u"a\uFFFD", false},
        {"{\\rtf1 \\uc99999999 \\u22825 ab}", u"天", false},
        {"{\\rtf1 \\bin999999999999 abc}", u"", true},
        {"{\\rtf1 \\cf999 \\f-5 a}", u"a", false},
        {"{\\rtf1 {\\fonttbl{\\f0\\fcharset136 \\'a4;}", u"", true},
        {"{\\rtf1 {\\colortbl\\red999;}\\cf1 a}", u"a", false},
        {"{\\rtf1 \\" + std::string(5000, 'x') + " a}", u"a", false},
    };
    for (const auto &c : cases) {
        RtfReadResult r = readRtf(c.rtf);
        EXPECT_EQ(r.document.plainText(), c.text) << c.rtf.substr(0, 60);
        EXPECT_EQ(r.truncated, c.truncated) << c.rtf.substr(0, 60);
    }
}

TEST(MalformedRtf, DeepNestingKeepsTextAndBoundedState) {
    std::string rtf =
        "{\\rtf1 " + std::string(200000, '{') + "\\b deep" + std::string(200000, '}') + "flat}";
    RtfReadResult r = readRtf(rtf);
    EXPECT_EQ(r.document.plainText(), u"deepflat");
    ASSERT_EQ(r.document.runs().size(), 2u);
    EXPECT_TRUE(r.document.runs()[0].format.bold);
    EXPECT_FALSE(r.document.runs()[1].format.bold);
}

TEST(MalformedRtf, NonRtfIsAFormatError) {
    for (std::string bad : {"", "plain text", "{\\rt", "\x00\x01{\\rtf"})
        EXPECT_THROW(readRtf(bad, "x.rtf"), FormatError) << bad;
}

TEST(MalformedRtf, RandomDamageNeverCrashes) {
    RichDocument d;
    CharFormat f;
    f.bold = true;
    d.append(u"天地玄黃\n宇宙{洪荒}\\", f);
    const std::string good = writeRtf(d);
    std::mt19937 rng(12345);
    const char alphabet[] = "{}\\'*0123456789-abuc ;\xa4\xd1";
    for (int round = 0; round < 3000; ++round) {
        std::string s = good;
        int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits && !s.empty(); ++e) {
            std::size_t at = rng() % s.size();
            switch (rng() % 3) {
            case 0:
                s.erase(at, 1 + rng() % 5);
                break;
            case 1:
                s.insert(at, 1, alphabet[rng() % (sizeof alphabet - 1)]);
                break;
            default:
                s.resize(at);
            }
        }
        try {
            (void)readRtf(s);
        } catch (const FormatError &) {
        }
    }
}
