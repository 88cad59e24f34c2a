#include "wordstats/exporttext.h"

#include <algorithm>

#include "langdata/textcodec.h"

namespace yuedu::wordstats {
namespace {

std::u16string csvField(const std::u16string &field) {
    if (field.find_first_of(u",\"\r\n") == std::u16string::npos)
        return field;
    std::u16string out = u"\"";
    for (char16_t c : field) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
    return out;
}

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

std::string csvUtf8(const std::vector<std::vector<std::u16string>> &rows) {
    std::u16string text;
    for (const auto &row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += u',';
            text += csvField(row[i]);
        }
        text += u"\r\n";
    }
    return "\xEF\xBB\xBF" + toUtf8(text);
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
    // Children follow their parent in the listing, whatever the order they were added in.
    std::u16string out;
    std::vector<std::size_t> stack;
    auto emit = [&](std::size_t k) {
        out.append(2 * depth[k], u' ');
        out += nodes[k - 1].text;
        out += u'\n';
        if (!hasChildren[k])
            appendWords(out, nodes[k - 1].words, depth[k] + 1);
    };
    std::vector<std::vector<std::size_t>> children(nodes.size() + 1);
    for (std::size_t k = 1; k <= nodes.size(); ++k) {
        auto parent = static_cast<std::size_t>(std::max(nodes[k - 1].parent, 0));
        children[parent < k ? parent : 0].push_back(k);
    }
    for (auto it = children[0].rbegin(); it != children[0].rend(); ++it)
        stack.push_back(*it);
    while (!stack.empty()) {
        std::size_t k = stack.back();
        stack.pop_back();
        emit(k);
        for (auto it = children[k].rbegin(); it != children[k].rend(); ++it)
            stack.push_back(*it);
    }
    return toUtf8(out);
}

} // namespace yuedu::wordstats
