#pragma once
// Result lists and trees as files for other programs: UTF-8 CSV for spreadsheets and indented
// text for papers.
#include <string>
#include <vector>

#include "wordstats/treenode.h"

namespace yuedu::wordstats {

// RFC 4180 CSV in UTF-8 with a byte-order mark (so spreadsheets take it as UTF-8), lines ended
// by CR LF. A field with a comma, a quote or a line break is quoted, its quotes doubled.
std::string csvUtf8(const std::vector<std::vector<std::u16string>> &rows);

// The tree one node a line, indented by two blanks a level; a node without child nodes is
// followed by its words, one a line, one level deeper. UTF-8, lines ended by LF.
std::string indentedTreeUtf8(const std::vector<TreeNode> &nodes);

} // namespace yuedu::wordstats
