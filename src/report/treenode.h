#pragma once
// A node of a result tree as the windows and the command line show it, and the tree as indented
// text. Nodes are numbered from 1 in the order they are added; parent is the number of the
// parent node, 0 at the top.
#include <string>
#include <vector>

namespace yuedu::report {

struct TreeNode {
    std::u16string key;
    std::u16string text;
    int parent = 0;
    // The words shown when the node is clicked, each followed by CR LF.
    std::u16string words;
};

// The text shown for a clicked node: "【 " + text + " 】", CR LF, then the node's words.
std::u16string nodeClickText(const TreeNode &node);

// The tree one node a line, indented by two blanks a level; a node without child nodes is
// followed by its words, one a line, one level deeper. Children follow their parent whatever
// the order they were added in. UTF-8, lines ended by LF.
std::string indentedTreeUtf8(const std::vector<TreeNode> &nodes);

} // namespace yuedu::report
