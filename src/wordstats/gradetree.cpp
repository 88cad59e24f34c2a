#include "wordstats/gradetree.h"

#include "report/captions.h"

namespace yuedu::wordstats {

int gradeGroupNode(std::int64_t code) {
    if (code < 1 || code > 100)
        return 0;
    if (code >= 70)
        return 8;
    return code < 20 ? 2 : static_cast<int>(code / 10) + 1;
}

std::vector<report::TreeNode> gradeTreeNodes(const GradeResult &results) {
    const std::u16string root = u"年級查詢";
    std::vector<report::TreeNode> nodes;
    nodes.push_back({root, root, 0, {}});
    for (const auto &group : report::gradeGroups())
        nodes.push_back({std::u16string(group.label), std::u16string(group.label), 1, {}});
    for (const GradedWord &w : results.words) {
        const int node = gradeGroupNode(w.code);
        if (node != 0)
            nodes[static_cast<std::size_t>(node) - 1].words += w.word + u"\r\n";
    }
    return nodes;
}

} // namespace yuedu::wordstats
