#include <gtest/gtest.h>

#include "report/tsv.h"

using namespace yuedu::report;

TEST(Tsv, EveryFieldEscapesTheSameWayAndReadsBack) {
    const struct {
        std::u16string field;
        std::u16string written;
    } cases[] = {
        {u"詞", u"詞"},
        {u"", u""},
        {u"a\tb", u"a\\tb"},
        {u"a\r\nb", u"a\\r\\nb"},
        {u"C:\\temp", u"C:\\\\temp"},
        {u"\\t", u"\\\\t"}, // a backslash then t stays two characters
        {u"\\", u"\\\\"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(tsvField(c.field), c.written);
        EXPECT_EQ(tsvUnescape(tsvField(c.field)), c.field);
        std::u16string row;
        appendTsvRow(row, {c.field, u"1"});
        EXPECT_EQ(row, c.written + u"\t1\n");
    }
    // The UTF-8 form escapes the same bytes and leaves the others alone.
    EXPECT_EQ(tsvRow({"詞\t1", "a\\b", ""}), "詞\\t1\ta\\\\b\t\n");
    EXPECT_EQ(wordListField(u"你\r\n我\r\n"), u"你 我");
}
