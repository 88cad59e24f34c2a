#pragma once
// A node of a result tree as the windows and the command line show it. Nodes are numbered
// from 1 in the order they are added; parent is the number of the parent node, 0 at the top.
#include <string>

namespace yuedu::wordstats {

struct TreeNode {
    std::u16string key;
    std::u16string text;
    int parent = 0;
    // The words shown when the node is clicked, each followed by CR LF.
    std::u16string words;
};

// The text shown for a clicked node: "【 " + text + " 】", CR LF, then the node's words.
std::u16string nodeClickText(const TreeNode &node);

} // namespace yuedu::wordstats
