#include <gtest/gtest.h>

#include "report/csv.h"

using namespace yuedu::report;

TEST(Csv, QuotesNeutralisesFormulasAndKeepsNumbers) {
    const struct {
        std::string cell;
        std::string written;
    } cases[] = {
        {"詞彙", "詞彙"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"=1+2", "'=1+2"},
        {"+1", "'+1"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
        {"-", "'-"},
        {"-.", "'-."},
        {"-1e", "'-1e"},
        {"-3", "-3"},
        {"-0.25", "-0.25"},
        {"-1.234568e+07", "-1.234568e+07"},
        {"-.5", "-.5"},
        {"12.50", "12.50"},
        {"a=1", "a=1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(csvCell(c.cell), c.written) << c.cell;
}

TEST(Csv, DocumentStartsWithTheByteOrderMarkAndEndsLinesWithCrLf) {
    EXPECT_EQ(csvDocument(std::vector<std::vector<std::u16string>>{
                  {u"詞彙", u"次數"}, {u"-詞", u"-1"}, {}, {u"a,b"}}),
              "\xEF\xBB\xBF詞彙,次數\r\n'-詞,-1\r\n\r\n\"a,b\"\r\n");
    EXPECT_EQ(csvRow({"x", "=y"}), "x,'=y\r\n");
}
