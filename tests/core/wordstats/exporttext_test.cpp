#include <gtest/gtest.h>

#include "wordstats/exporttext.h"
#include "wordstats/taxonomy.h"

using namespace yuedu;
using namespace yuedu::wordstats;

TEST(CsvExport, QuotesOnlyFieldsThatNeedItAndEndsLinesWithCrLf) {
    std::string csv = csvUtf8(
        {{u"詞彙", u"次數"}, {u"a,b", u"1"}, {u"say \"hi\"", u"2"}, {u"two\r\nlines", u""}});
    EXPECT_EQ(csv, "\xEF\xBB\xBF"
                   "詞彙,次數\r\n\"a,b\",1\r\n\"say \"\"hi\"\"\",2\r\n\"two\r\nlines\",\r\n");
}

TEST(TreeExport, ListsChildrenUnderTheirParentWhateverTheOrderOfAdding) {
    std::array<std::u16string, kSenseClassCount> lists;
    lists[14] = u"東西\r\n";    // class 15, in 總類
    lists[0] = u"你\r\n我\r\n"; // class 1, in 人群
    std::string text = indentedTreeUtf8(senseTreeNodes(lists));
    EXPECT_EQ(text.substr(0, text.find("時空")), "總類\n  物統稱\n    東西\n人群\n  人稱\n    你\n"
                                                 "    我\n");
    EXPECT_NE(text.find("\n功能詞\n"), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
}
