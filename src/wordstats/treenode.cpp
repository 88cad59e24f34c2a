#include "wordstats/treenode.h"

namespace yuedu {

std::u16string nodeClickText(const TreeNode &node) {
    return u"【 " + node.text + u" 】\r\n" + node.words;
}

} // namespace yuedu
