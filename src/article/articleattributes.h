#pragma once
// The attribute distribution of an article: its distinct hanzi sorted by radical, stroke count,
// Bopomofo initial, medial, final, tone and general-use level, and the tree that shows it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "langdata/languagedata.h"

namespace yuedu::article {

// One leaf of the tree: an attribute value that occurs and its characters.
struct AttributeLeaf {
    std::u16string caption;
    std::u16string chars; // in order of first appearance
};

struct AttributeBranch {
    std::u16string caption; // 部首, 筆畫, 聲符, 介符, 韻母, 聲調, 通用級數
    std::vector<AttributeLeaf> leaves;
};

// The distinct table characters of a text distributed over the seven category lists.
struct AttributeResult {
    // The category lists, indexed by attribute value. Entry 0 of initials, medials and finals
    // stays empty; strokes, radicals and levels start at 1.
    std::array<std::u16string, 22> initials;
    std::array<std::u16string, 4> medials;
    std::array<std::u16string, 14> finals;
    std::array<std::u16string, 5> tones;
    std::array<std::u16string, 36> strokes;
    std::array<std::u16string, 214> radicals;
    std::array<std::u16string, 11> levels;
    // Hanzi of the tables in the text, repeats counted, and the distinct ones.
    std::int64_t hanziTotal = 0;
    std::int64_t distinctTotal = 0;
    // Hanzi of the text without a record in the data (outside code page 950): they have no
    // attributes to sort by, so no list holds them; repeats counted, and the distinct ones.
    std::int64_t extraHanzi = 0;
    std::int64_t extraDistinct = 0;

    // False when the text has no table character: there is nothing to show.
    bool found() const { return distinctTotal > 0; }

    // The tree content: the seven branches in their order, each with the leaves whose list is
    // not empty, in ascending value order.
    std::vector<AttributeBranch> attributeTree() const;
};

AttributeResult artattri(const LanguageData &data, std::u16string_view text);

// The tree as indented text: each branch caption on a line of its own, then one line per leaf:
// two blanks, the leaf caption, a tab and the characters.
std::u16string attributeTreeText(const std::vector<AttributeBranch> &tree);

// 一畫 … 三十五畫 for 1..35.
std::u16string strokeCaption(int strokes);
// 第一級 … 第十級 for 1..10.
std::u16string levelCaption(int level);

} // namespace yuedu::article
