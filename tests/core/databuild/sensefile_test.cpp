#include <gtest/gtest.h>

#include "common/errors.h"
#include "databuild/sensefile.h"
#include "langdata/big5.h"
#include "langdata/datalayout.h"

using namespace yuedu;
using namespace yuedu::databuild;

namespace {

constexpr std::size_t kWordsAt = layout::kSenseIndexSize;
constexpr std::size_t kCharsAt = kWordsAt + layout::kSenseWordSize;
constexpr std::size_t kDetailAt = kCharsAt + layout::kCharRecordSize;

unsigned byteAt(const std::string &image, std::size_t offset) {
    return static_cast<std::uint8_t>(image.at(offset));
}
unsigned be16At(const std::string &image, std::size_t offset) {
    return byteAt(image, offset) << 8 | byteAt(image, offset + 1);
}
unsigned be24At(const std::string &image, std::size_t offset) {
    return byteAt(image, offset) << 16 | be16At(image, offset + 1);
}
int ord(char16_t c) {
    return tableOrdinal(c);
}

std::string refusal(const SenseSources &sources) {
    try {
        buildSenseFile(sources);
    } catch (const FormatError &e) {
        return e.what();
    }
    return "(accepted)";
}

} // namespace

TEST(SenseFile, OneCharacterClassIsTheFirstByteOfItsEntryPlusTwelve) {
    SenseSources s;
    s.words = {{u"我", 1}, {u"啊", 93}, {u"的", 92}};
    const std::string image = buildSenseFile(s);
    ASSERT_EQ(image.size(), layout::kSenseFileSize);
    EXPECT_EQ(byteAt(image, 2 * ord(u'我')), 13u);
    EXPECT_EQ(byteAt(image, 2 * ord(u'我') + 1), 0u);
    EXPECT_EQ(byteAt(image, 2 * ord(u'啊')), 105u);
    EXPECT_EQ(byteAt(image, 2 * ord(u'的')), 104u);
}

TEST(SenseFile, LongerWordsAreRecordsOfTheirTailCodesClassByteAndAZeroByte) {
    SenseSources s;
    s.words = {{u"媽媽", 8}, {u"媽祖", 42}, {u"小朋友", 2}, {u"亂七八糟", 79}};
    SenseFileReport r;
    const std::string image = buildSenseFile(s, &r);

    const std::size_t two = layout::kSenseBlock2 + 5 * ord(u'媽');
    const unsigned pos = be24At(image, two), count = be16At(image, two + 3);
    ASSERT_GT(pos, 0u);
    EXPECT_EQ(count, 8u); // two records of 4 bytes, in source order
    const std::size_t rec = kWordsAt + pos - 1;
    EXPECT_EQ(image.substr(rec, 8), std::string("\xB6\xFD\x14\x00\xAF\xAA\x36\x00", 8));

    const std::size_t three = layout::kSenseBlock3 + 5 * ord(u'小');
    EXPECT_EQ(be16At(image, three + 3), 6u);
    const std::size_t rec3 = kWordsAt + be24At(image, three) - 1;
    EXPECT_EQ(image.substr(rec3, 6), std::string("\xAA\x42\xA4\xCD\x0E\x00", 6));

    const std::size_t four = layout::kSenseBlock4 + 5 * ord(u'亂');
    EXPECT_EQ(be16At(image, four + 3), 8u);
    EXPECT_EQ(byteAt(image, kWordsAt + be24At(image, four) - 1 + 6), 79u + 12);

    // Other characters have no block.
    EXPECT_EQ(be24At(image, layout::kSenseBlock2 + 5 * ord(u'我')), 0u);
    EXPECT_EQ(r.words, (std::array<std::size_t, 4>{0, 2, 1, 1}));
    EXPECT_EQ(r.wordBytes, 8u + 6 + 8);
}

TEST(SenseFile, ARepeatedWordKeepsItsFirstClass) {
    SenseSources s;
    s.words = {{u"花", 22}, {u"花", 66}, {u"花園", 28}, {u"花園", 19}};
    SenseFileReport r;
    const std::string image = buildSenseFile(s, &r);
    EXPECT_EQ(r.duplicates, 2u);
    EXPECT_EQ(byteAt(image, 2 * ord(u'花')), 34u);
    const std::size_t e = layout::kSenseBlock2 + 5 * ord(u'花');
    EXPECT_EQ(be16At(image, e + 3), 4u);
    EXPECT_EQ(byteAt(image, kWordsAt + be24At(image, e) - 1 + 2), 40u);
}

TEST(SenseFile, CharacterRecordPacksReadingRadicalAndStrokesBitByBit) {
    // 中: ㄓ (initial 15) ㄨ (medial 2) ㄥ (final 12), first tone, radical 2, 4 strokes.
    // 了: ㄌ (8) ㄜ (3) neutral tone, radical 6, 2 strokes.
    SenseSources s;
    s.chars = {{u'中', {15, 2, 12, 0, 2, 4}}, {u'了', {8, 0, 3, 1, 6, 2}}};
    SenseFileReport r;
    const std::string image = buildSenseFile(s, &r);
    const std::size_t zh = kCharsAt + 4 * ord(u'中');
    EXPECT_EQ(byteAt(image, zh), 15u << 3 | 2);
    EXPECT_EQ(byteAt(image, zh + 1), 12u << 4);
    EXPECT_EQ(byteAt(image, zh + 2), 2u);
    EXPECT_EQ(byteAt(image, zh + 3), 4u);
    const std::size_t le = kCharsAt + 4 * ord(u'了');
    EXPECT_EQ(byteAt(image, le), 8u << 3);
    EXPECT_EQ(byteAt(image, le + 1), 3u << 4 | 1);
    EXPECT_EQ(r.charRecords, 2u);
    // The last character's record ends at the end of the table.
    EXPECT_EQ(kCharsAt + 4 * (kTableChars - 1) + 4, kDetailAt);
}

TEST(SenseFile, DetailRecordsAreNumberedFromOneInSourceOrderWithBigEndianFigures) {
    DetailRecord d;
    d.usage[0] = {3, 0x0102};
    d.usage[6] = {9, 0xFFFF};
    d.p468s = 0x0304;
    d.p468c = 0x0506;
    d.gradeUse = {1, 2, 3, 4, 0x0708};
    d.grademeanuse = 0x090A;
    d.edupto = 0x0B0C;
    d.zangener = 7;
    d.zanscale = 300;
    SenseSources s;
    s.details = {{u'一', {}}, {u'的', d}};
    const std::string image = buildSenseFile(s);
    EXPECT_EQ(be16At(image, kDetailAt + 2 * ord(u'一')), 1u);
    EXPECT_EQ(be16At(image, kDetailAt + 2 * ord(u'的')), 2u);
    EXPECT_EQ(be16At(image, kDetailAt + 2 * ord(u'了')), 0u); // no record
    const std::size_t rec = kDetailAt + layout::kDetailIndexSize + 44;
    EXPECT_EQ(byteAt(image, rec), 3u);
    EXPECT_EQ(be16At(image, rec + 1), 0x0102u);
    EXPECT_EQ(byteAt(image, rec + 18), 9u);
    EXPECT_EQ(be16At(image, rec + 19), 0xFFFFu);
    EXPECT_EQ(be16At(image, rec + 21), 0x0304u);
    EXPECT_EQ(be16At(image, rec + 23), 0x0506u);
    EXPECT_EQ(be16At(image, rec + 25), 1u);
    EXPECT_EQ(be16At(image, rec + 33), 0x0708u);
    EXPECT_EQ(be16At(image, rec + 35), 0x090Au);
    EXPECT_EQ(be16At(image, rec + 37), 0x0B0Cu);
    EXPECT_EQ(byteAt(image, rec + 39), 7u);
    EXPECT_EQ(be16At(image, rec + 40), 300u);
}

TEST(SenseFile, TheLastOfTheDetailRecordsEndsAtTheEndOfTheTable) {
    SenseSources s;
    for (int n = 0; n < static_cast<int>(layout::kDetailRecords); ++n) {
        DetailRecord d;
        d.zanscale = n % 1000;
        s.details.push_back({charOfOrdinal(n), d});
    }
    SenseFileReport r;
    const std::string image = buildSenseFile(s, &r);
    EXPECT_EQ(r.detailRecords, layout::kDetailRecords);
    EXPECT_EQ(be16At(image, kDetailAt + 2 * (layout::kDetailRecords - 1)), 6374u);
    EXPECT_EQ(be16At(image, image.size() - 4), (6373u % 1000));

    s.details.push_back({charOfOrdinal(7000), {}});
    EXPECT_NE(refusal(s).find("detail records"), std::string::npos);
}

TEST(SenseFile, RefusesWhatTheTablesCannotHoldNamingTheTable) {
    struct Case {
        const char *what;
        void (*fill)(SenseSources &);
        const char *table;
        const char *reason;
    };
    const Case cases[] = {
        {"class 0",
         [](SenseSources &s) {
             s.words = {{u"我", 0}};
         },
         "sense dictionary", "outside 1..95"},
        {"class 96",
         [](SenseSources &s) {
             s.words = {{u"我們", 96}};
         },
         "sense dictionary", "outside 1..95"},
        {"five characters",
         [](SenseSources &s) {
             s.words = {{u"中華民國人", 4}};
         },
         "sense dictionary", "one to four"},
        {"symbol first",
         [](SenseSources &s) {
             s.words = {{u"，我", 4}};
         },
         "sense dictionary", "not a Big5 hanzi"},
        {"radical glyph of the private-use area first",
         [](SenseSources &s) {
             s.words = {{u"\uF6CF", 4}};
         },
         "sense dictionary", "not a Big5 hanzi"},
        {"simplified tail",
         [](SenseSources &s) {
             s.words = {{u"我们", 1}};
         },
         "sense dictionary", "not a Big5 double-byte character"},
        {"radical 0",
         [](SenseSources &s) {
             s.chars = {{u'中', {15, 2, 12, 0, 0, 4}}};
         },
         "character records", "radical"},
        {"radical 214",
         [](SenseSources &s) {
             s.chars = {{u'中', {15, 2, 12, 0, 214, 4}}};
         },
         "character records", "radical"},
        {"tone 5",
         [](SenseSources &s) {
             s.chars = {{u'中', {15, 2, 12, 5, 2, 4}}};
         },
         "character records", "tone"},
        {"36 strokes",
         [](SenseSources &s) {
             s.chars = {{u'中', {15, 2, 12, 0, 2, 36}}};
         },
         "character records", "stroke count"},
        {"final 14",
         [](SenseSources &s) {
             s.chars = {{u'中', {15, 2, 14, 0, 2, 4}}};
         },
         "character records", "final"},
        {"character twice",
         [](SenseSources &s) {
             s.chars = {{u'中', {0, 0, 0, 0, 2, 4}}, {u'中', {0, 0, 0, 0, 2, 4}}};
         },
         "character records", "given twice"},
        {"difficulty above 32767",
         [](SenseSources &s) {
             DetailRecord d;
             d.zanscale = 32768;
             s.details = {{u'中', d}};
         },
         "detail records", "difficulty"},
        {"general-use level 16",
         [](SenseSources &s) {
             DetailRecord d;
             d.zangener = 16;
             s.details = {{u'中', d}};
         },
         "detail records", "general-use level"},
    };
    for (const Case &c : cases) {
        SenseSources s;
        c.fill(s);
        const std::string message = refusal(s);
        EXPECT_NE(message.find(c.table), std::string::npos) << c.what << ": " << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.what << ": " << message;
    }
}
