#include "article/articleattributes.h"

#include <gtest/gtest.h>

#include "articletestdata.h"

namespace yuedu::article {
namespace {

using testdata::charRec;
using testdata::detailRec;

class AttributeResultTest : public ::testing::Test {
protected:
    // 家 ㄐㄧㄚ (initial and medial), 鴨 ㄧㄚ (medial only), 我 ㄨㄛˇ (medial only),
    // 兒 ㄦˊ (final only), 鬱 without detail record.
    std::unique_ptr<LanguageData> data = testdata::makeData({
        {u'家', charRec(39, 10, 12, 1, 1, 0), detailRec(1, 100)},
        {u'鴨', charRec(195, 16, 0, 1, 1, 0), detailRec(6, 200)},
        {u'我', charRec(62, 7, 0, 2, 2, 3), detailRec(1, 150)},
        {u'兒', charRec(10, 8, 0, 0, 13, 2), detailRec(2, 100)},
        {u'鬱', charRec(192, 29, 0, 3, 0, 4), std::nullopt},
    });
    AttributeResult attributes;
    bool run(std::u16string_view text) {
        attributes = artattri(*data, text);
        return attributes.found();
    }

    const AttributeBranch &branchOf(const std::vector<AttributeBranch> &tree,
                                    std::u16string_view caption) {
        for (const auto &b : tree)
            if (b.caption == caption)
                return b;
        throw std::runtime_error("no such branch");
    }
};

TEST_F(AttributeResultTest, InitialTakesPrecedenceOverMedial) {
    ASSERT_TRUE(run(u"家鴨我"));
    EXPECT_EQ(attributes.initials[12], u"家");
    EXPECT_EQ(attributes.medials[1], u"鴨");
    EXPECT_EQ(attributes.medials[2], u"我");
    EXPECT_EQ(attributes.finals[1], u"家鴨");
}

TEST_F(AttributeResultTest, RepeatedCharacterIsListedOnceInEveryList) {
    ASSERT_TRUE(run(u" 家，家a兒家兒 "));
    EXPECT_EQ(attributes.radicals[39], u"家");
    EXPECT_EQ(attributes.strokes[10], u"家");
    EXPECT_EQ(attributes.tones[0], u"家");
    EXPECT_EQ(attributes.levels[1], u"家");
    EXPECT_EQ(attributes.tones[2], u"兒");
    EXPECT_EQ(attributes.finals[13], u"兒");
}

TEST_F(AttributeResultTest, EveryCharacterAppearsOnceUnderEachAlwaysFilledBranch) {
    ASSERT_TRUE(run(u"鬱兒我鴨家我"));
    const auto tree = attributes.attributeTree();
    for (std::u16string_view caption : {u"部首", u"筆畫", u"聲調", u"通用級數"}) {
        std::u16string all;
        for (const auto &leaf : branchOf(tree, caption).leaves)
            all += leaf.chars;
        std::sort(all.begin(), all.end());
        EXPECT_EQ(all, u"兒家我鬱鴨");
    }
}

TEST_F(AttributeResultTest, TreeHasSevenBranchesInOrderWithOnlyFilledLeaves) {
    ASSERT_TRUE(run(u"鬱家鴨"));
    const auto tree = attributes.attributeTree();
    std::vector<std::u16string> captions;
    for (const auto &b : tree)
        captions.push_back(b.caption);
    EXPECT_EQ(captions, (std::vector<std::u16string>{u"部首", u"筆畫", u"聲符", u"介符", u"韻母",
                                                     u"聲調", u"通用級數"}));
    const auto &strokes = branchOf(tree, u"筆畫").leaves;
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[0].caption, u"十畫");
    EXPECT_EQ(strokes[1].caption, u"十六畫");
    EXPECT_EQ(strokes[2].caption, u"二十九畫");
    EXPECT_EQ(strokes[2].chars, u"鬱");
    const auto &initials = branchOf(tree, u"聲符").leaves;
    ASSERT_EQ(initials.size(), 1u);
    EXPECT_EQ(initials[0].caption, u"ㄐ");
    const auto &medials = branchOf(tree, u"介符").leaves;
    ASSERT_EQ(medials.size(), 2u);
    EXPECT_EQ(medials[0].caption + medials[0].chars, u"ㄧ鴨");
    EXPECT_EQ(medials[1].caption + medials[1].chars, u"ㄩ鬱");
    const auto &tones = branchOf(tree, u"聲調").leaves;
    ASSERT_EQ(tones.size(), 2u);
    EXPECT_EQ(tones[0].caption + tones[0].chars, u"ˉ家鴨");
    EXPECT_EQ(tones[1].caption + tones[1].chars, u"ˋ鬱");
    const auto &radicals = branchOf(tree, u"部首").leaves;
    ASSERT_EQ(radicals.size(), 3u);
    EXPECT_EQ(radicals[0].caption, u"宀"); // shown as the standard character
    EXPECT_EQ(radicals[2].caption, u"鳥");
}

TEST_F(AttributeResultTest, LevelsZeroAndTenToFifteenAreListedAsLevelTen) {
    std::uint8_t *rec = testdata::detailBytes(*data, u'家');
    for (std::uint8_t byte39 : {0x00, 0x0A, 0x0F, 0x30}) {
        rec[39] = byte39;
        ASSERT_TRUE(run(u"家鬱"));
        EXPECT_EQ(attributes.levels[10], u"家鬱") << int(byte39);
    }
    const auto tree = attributes.attributeTree();
    const auto &levels = branchOf(tree, u"通用級數").leaves;
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].caption, u"第十級");
}

TEST(ArticleAttributesPrivateUse, TwinOfAHanziIsListedBesideIt) {
    const char16_t twin = testdata::privateUseTwin(u'邊');
    ASSERT_NE(twin, 0);
    const auto data = testdata::makeData({{u'邊', charRec(162, 19, 1, 1, 9, 0), detailRec(3, 0)}});
    const AttributeResult attributes = artattri(*data, std::u16string{twin, u'邊', twin});
    ASSERT_TRUE(attributes.found());
    EXPECT_EQ(attributes.hanziTotal, 3);
    EXPECT_EQ(attributes.distinctTotal, 2);
    const std::u16string both = {twin, u'邊'};
    EXPECT_EQ(attributes.radicals[162], both);
    EXPECT_EQ(attributes.strokes[19], both);
    EXPECT_EQ(attributes.levels[3], both);
}

TEST_F(AttributeResultTest, TextWithoutTableCharactersGivesNothing) {
    ASSERT_TRUE(run(u"家"));
    EXPECT_FALSE(run(u"abc 。「」"));
    EXPECT_TRUE(attributes.initials[12].empty());
    for (const auto &b : attributes.attributeTree())
        EXPECT_TRUE(b.leaves.empty());
}

TEST_F(AttributeResultTest, OutOfRangeRecordFieldsAreNotListed) {
    data->CharRecordTable[4 * tableOrdinal(u'家') + 3] = 200;  // strokes beyond 35
    data->CharRecordTable[4 * tableOrdinal(u'家') + 1] = 0xF9; // final 15, tone 9
    ASSERT_TRUE(run(u"家"));
    EXPECT_EQ(attributes.radicals[39], u"家");
    for (const auto &s : attributes.strokes)
        EXPECT_TRUE(s.empty());
    for (const auto &t : attributes.tones)
        EXPECT_TRUE(t.empty());
}

TEST(StrokeCaption, WritesChineseNumerals) {
    const struct {
        int strokes;
        std::u16string_view caption;
    } cases[] = {{1, u"一畫"},      {9, u"九畫"},    {10, u"十畫"},
                 {11, u"十一畫"},   {19, u"十九畫"}, {20, u"二十畫"},
                 {23, u"二十三畫"}, {30, u"三十畫"}, {35, u"三十五畫"}};
    for (const auto &c : cases)
        EXPECT_EQ(strokeCaption(c.strokes), c.caption) << c.strokes;
    EXPECT_EQ(levelCaption(1), u"第一級");
    EXPECT_EQ(levelCaption(10), u"第十級");
}

} // namespace
} // namespace yuedu::article
