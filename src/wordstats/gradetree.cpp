#include "wordstats/gradetree.h"

namespace yuedu {

int gradeGroupNode(std::int64_t code) {
    if (code < 1 || code > 100)
        return 0;
    if (code >= 70)
        return 8;
    return code < 20 ? 2 : static_cast<int>(code / 10) + 1;
}

std::vector<TreeNode> gradeTreeNodes(const GradeResult &results) {
    static const char16_t *const kGroups[] = {u"一年級", u"二年級", u"三年級", u"四年級",
                                              u"五年級", u"六年級", u"未出現"};
    const std::u16string root = u"年級查詢";
    std::vector<TreeNode> nodes;
    nodes.push_back({root, root, 0, {}});
    for (const char16_t *group : kGroups)
        nodes.push_back({group, group, 1, {}});
    for (std::size_t i = 0; i < results.GradeWords.size(); ++i) {
        int node = gradeGroupNode(results.GradeCodes[i]);
        if (node != 0)
            nodes[static_cast<std::size_t>(node) - 1].words += results.GradeWords[i] + u"\r\n";
    }
    return nodes;
}

} // namespace yuedu
