#include <gtest/gtest.h>

#include "report/treenode.h"
#include "wordstats/taxonomy.h"

using namespace yuedu;
using namespace yuedu::wordstats;

TEST(TreeExport, ListsChildrenUnderTheirParentWhateverTheOrderOfAdding) {
    std::array<std::u16string, kSenseClassCount> lists;
    lists[14] = u"東西\r\n";    // class 15, in 總類
    lists[0] = u"你\r\n我\r\n"; // class 1, in 人群
    std::string text = report::indentedTreeUtf8(senseTreeNodes(lists));
    EXPECT_EQ(text.substr(0, text.find("時空")), "總類\n  物統稱\n    東西\n人群\n  人稱\n    你\n"
                                                 "    我\n");
    EXPECT_NE(text.find("\n功能詞\n"), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
}
