#include "report/treenode.h"

#include <algorithm>

#include "langdata/textcodec.h"

namespace yuedu::report {
namespace {

void appendWords(std::u16string &out, const std::u16string &words, std::size_t depth) {
    std::size_t at = 0;
    while (at < words.size()) {
        std::size_t end = words.find(u"\r\n", at);
        if (end == std::u16string::npos)
            end = words.size();
        out.append(2 * depth, u' ');
        out.append(words, at, end - at);
        out += u'\n';
        at = end + 2;
    }
}

} // namespace

std::u16string nodeClickText(const TreeNode &node) {
    return u"【 " + node.text + u" 】\r\n" + node.words;
}

std::string indentedTreeUtf8(const std::vector<TreeNode> &nodes) {
    // depth and child presence by node number (1-based); parents are always added first.
    std::vector<std::size_t> depth(nodes.size() + 1, 0);
    std::vector<bool> hasChildren(nodes.size() + 1, false);
    for (std::size_t k = 1; k <= nodes.size(); ++k) {
        int parent = nodes[k - 1].parent;
        if (parent > 0 && static_cast<std::size_t>(parent) < k) {
            depth[k] = depth[static_cast<std::size_t>(parent)] + 1;
            hasChildren[static_cast<std::size_t>(parent)] = true;
        }
    }
    std::vector<std::vector<std::size_t>> children(nodes.size() + 1);
    for (std::size_t k = 1; k <= nodes.size(); ++k) {
        auto parent = static_cast<std::size_t>(std::max(nodes[k - 1].parent, 0));
        children[parent < k ? parent : 0].push_back(k);
    }
    std::u16string out;
    std::vector<std::size_t> stack(children[0].rbegin(), children[0].rend());
    while (!stack.empty()) {
        std::size_t k = stack.back();
        stack.pop_back();
        out.append(2 * depth[k], u' ');
        out += nodes[k - 1].text;
        out += u'\n';
        if (!hasChildren[k])
            appendWords(out, nodes[k - 1].words, depth[k] + 1);
        for (auto it = children[k].rbegin(); it != children[k].rend(); ++it)
            stack.push_back(*it);
    }
    return toUtf8(out);
}

} // namespace yuedu::report
