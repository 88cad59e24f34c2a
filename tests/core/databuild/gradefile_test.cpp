#include <gtest/gtest.h>

#include "common/errors.h"
#include "databuild/gradefile.h"
#include "langdata/big5.h"
#include "langdata/datalayout.h"
#include "langdata/languagedata.h"

using namespace yuedu;
using namespace yuedu::databuild;

namespace {

std::string bytesAt(const std::string &image, std::size_t offset, std::size_t n) {
    return image.substr(offset, n);
}

std::string refusal(const GradeSources &sources) {
    try {
        buildGradeFile(sources);
    } catch (const FormatError &e) {
        return e.what();
    }
    return "(accepted)";
}

} // namespace

TEST(GradeFile, ListsStartAtTheirOffsetsAsBig5WithTheCodeByteBehindEachWord) {
    GradeSources s;
    s.lists[0] = {{u"一", 15}, {u"中", 25}};
    s.lists[1] = {{u"我們", 23}};
    s.lists[2] = {{u"小朋友", 31}};
    s.lists[3] = {{u"亂七八糟", 47}};
    s.rankList = u"的一";
    GradeFileReport r;
    const std::string image = buildGradeFile(s, &r);
    ASSERT_EQ(image.size(), layout::kGradeFileSize);

    EXPECT_EQ(bytesAt(image, 0, 6), std::string("\xA4\x40\x0F\xA4\xA4\x19", 6));
    EXPECT_EQ(bytesAt(image, 6810, 5), std::string("\xA7\xDA\xAD\xCC\x17", 5));
    EXPECT_EQ(bytesAt(image, 6810 + 58380, 7).back(), '\x1F');
    EXPECT_EQ(bytesAt(image, 6810 + 58380 + 25018, 9).back(), '\x2F');
    EXPECT_EQ(bytesAt(image, layout::kGradeFileSize - 6000, 4), "\xAA\xBA\xA4\x40");
    EXPECT_EQ(image[6], '\0'); // the rest of a list stays zero

    EXPECT_EQ(r.entries, (std::array<std::size_t, 5>{2, 1, 1, 1, 2}));
    EXPECT_EQ(r.bytesUsed, (std::array<std::size_t, 5>{6, 5, 7, 9, 4}));
}

TEST(GradeFile, LoadedListsHoldEachWordFollowedByItsCodeCharacter) {
    GradeSources s;
    s.lists[1] = {{u"我們", 23}, {u"媽媽", 15}};
    s.rankList = u"的一了";
    LanguageData data;
    data.loadImages(buildGradeFile(s), {}, {});
    EXPECT_EQ(data.GradeWordLists[1], u"我們\x17媽媽\x0F");
    EXPECT_EQ(data.GradeWordLists[4], u"的一了");
    EXPECT_TRUE(data.GradeWordLists[0].empty());
}

TEST(GradeFile, RepeatedWordsAndRankCharactersAreWrittenOnce) {
    GradeSources s;
    s.lists[0] = {{u"大", 15}, {u"大", 35}};
    s.rankList = u"的的一";
    GradeFileReport r;
    const std::string image = buildGradeFile(s, &r);
    EXPECT_EQ(r.duplicates, 2u);
    EXPECT_EQ(image[2], '\x0F');
    EXPECT_EQ(image[3], '\0');
    EXPECT_EQ(r.entries[4], 2u);
}

TEST(GradeFile, CapacitiesFollowTheTableSizes) {
    EXPECT_EQ(gradeListCapacity(0), 2270u);
    EXPECT_EQ(gradeListCapacity(1), 11676u);
    EXPECT_EQ(gradeListCapacity(2), 3574u);
    EXPECT_EQ(gradeListCapacity(3), 1119u);
    EXPECT_EQ(gradeListCapacity(4), 3000u);
}

TEST(GradeFile, RefusesSourcesThatDoNotFitNamingTheList) {
    struct Case {
        const char *what;
        void (*fill)(GradeSources &);
        const char *list;
        const char *reason;
    };
    const Case cases[] = {
        {"word of the wrong length",
         [](GradeSources &s) {
             s.lists[1] = {{u"我", 20}};
         },
         "grade list 2", "does not have 2 characters"},
        {"code 0",
         [](GradeSources &s) {
             s.lists[0] = {{u"我", 0}};
         },
         "grade list 1", "outside 1..127"},
        {"code 128",
         [](GradeSources &s) {
             s.lists[0] = {{u"我", 128}};
         },
         "grade list 1", "outside 1..127"},
        {"simplified character",
         [](GradeSources &s) {
             s.lists[1] = {{u"我们", 20}};
         },
         "grade list 2", "not a Big5 double-byte character"},
        {"Latin letter",
         [](GradeSources &s) {
             s.lists[2] = {{u"小a友", 20}};
         },
         "grade list 3", "not a Big5 double-byte character"},
        {"rank list symbol", [](GradeSources &s) { s.rankList = u"的A"; }, "grade list 5",
         "not a Big5 double-byte character"},
        {"too many four-character words",
         [](GradeSources &s) {
             for (int i = 0; i < 1120; ++i)
                 s.lists[3].push_back(
                     {std::u16string{charOfOrdinal(0), charOfOrdinal(1), charOfOrdinal(i / 100),
                                     charOfOrdinal(i % 100)},
                      30});
         },
         "grade list 4", "more than 1119 entries"},
        {"more than 3000 rank characters",
         [](GradeSources &s) {
             for (int n = 0; n < 3001; ++n)
                 s.rankList.push_back(charOfOrdinal(n));
         },
         "grade list 5", "more than 3000 characters"},
    };
    for (const Case &c : cases) {
        GradeSources s;
        c.fill(s);
        const std::string message = refusal(s);
        EXPECT_NE(message.find(c.list), std::string::npos) << c.what << ": " << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.what << ": " << message;
    }
}

TEST(GradeFile, FullListsAreAccepted) {
    GradeSources s;
    for (int n = 0; n < 3000; ++n)
        s.rankList.push_back(charOfOrdinal(n));
    for (int n = 0; n < 2270; ++n)
        s.lists[0].push_back({std::u16string(1, charOfOrdinal(n)), 65});
    GradeFileReport r;
    const std::string image = buildGradeFile(s, &r);
    EXPECT_EQ(image.size(), layout::kGradeFileSize);
    EXPECT_EQ(r.bytesUsed[0], 6810u);
    EXPECT_EQ(r.bytesUsed[4], 6000u);
}
