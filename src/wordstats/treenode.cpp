#include "wordstats/treenode.h"

namespace yuedu::wordstats {

std::u16string nodeClickText(const TreeNode &node) {
    return u"【 " + node.text + u" 】\r\n" + node.words;
}

} // namespace yuedu::wordstats
