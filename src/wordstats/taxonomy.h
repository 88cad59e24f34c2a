#pragma once
// The sense taxonomy: twelve categories and, in display order, the 95 labelled positions that
// show the sense classes.
#include <array>
#include <span>
#include <string>
#include <vector>

#include "report/treenode.h"
#include "wordstats/senses.h"

namespace yuedu::wordstats {

struct TaxonomyClass {
    const char16_t *label;
    int senseClass; // 1..95
};

struct TaxonomyCategory {
    const char16_t *label;
    std::span<const TaxonomyClass> classes;
};

inline constexpr int kSenseCategoryCount = 12;

const std::array<TaxonomyCategory, kSenseCategoryCount> &senseTaxonomy();

// The nodes of the taxonomy tree for the given class lists: the twelve categories (nodes 1 to
// 12), then, category by category in display order, a node for every class that has words.
// A class node's words are its class list; a category's words are those of its class nodes in
// display order. The words of node k are the SenseNodeTexts entry k.
std::vector<report::TreeNode>
senseTreeNodes(const std::array<std::u16string, kSenseClassCount> &lists);

} // namespace yuedu::wordstats
