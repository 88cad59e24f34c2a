#pragma once
// The grade tree: the root "年級查詢" and the seven grade groups under it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "report/treenode.h"
#include "wordstats/frequency.h"

namespace yuedu::wordstats {

inline constexpr int kGradeTreeNodes = 8;

// Number (2..8) of the group node of a grade code, 0 when the code is in no group
// (outside 1..100).
int gradeGroupNode(std::int64_t code);

// The eight nodes in the order they are added: the root, then 一年級 .. 六年級 and 未出現.
// Each group node's words are the GradeNodeTexts entry: its words in list order.
std::vector<report::TreeNode> gradeTreeNodes(const GradeResult &results);

} // namespace yuedu::wordstats
