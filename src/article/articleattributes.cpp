#include "article/articleattributes.h"

#include "article/charrecord.h"
#include "langdata/big5.h"
#include "langdata/constants.h"
#include "langdata/hanzi.h"

namespace yuedu::article {
namespace {

constexpr std::u16string_view kNumerals = u"一二三四五六七八九十";

template <std::size_t Size>
void addTo(std::array<std::u16string, Size> &list, int value, char16_t ch) {
    // Values outside the list come only from a damaged data file; such a character is simply
    // not listed under that attribute.
    if (value >= 0 && static_cast<std::size_t>(value) < Size)
        list[value].push_back(ch);
}

template <std::size_t Size, typename CaptionOf>
AttributeBranch branch(std::u16string caption, const std::array<std::u16string, Size> &list,
                       int first, CaptionOf captionOf) {
    AttributeBranch b{std::move(caption), {}};
    for (std::size_t v = first; v < Size; ++v)
        if (!list[v].empty())
            b.leaves.push_back({captionOf(static_cast<int>(v)), list[v]});
    return b;
}

std::u16string entryOf(std::u16string_view list, int k) {
    return k >= 1 && static_cast<std::size_t>(k) <= list.size() ? std::u16string(1, list[k - 1])
                                                                : std::u16string();
}

} // namespace

AttributeResult artattri(const LanguageData &data, std::u16string_view text) {
    AttributeResult r;
    // Distinct by character: a private-use character of code page 950 shares its ordinal (and
    // so its records) with a frequent hanzi, yet it is a character of its own in the lists.
    std::vector<bool> seen(0x10000, false);
    const ExtraHanziCount extra = countExtraHanzi(text);
    r.extraHanzi = static_cast<std::int64_t>(extra.total);
    r.extraDistinct = static_cast<std::int64_t>(extra.distinct);
    for (char16_t ch : text) {
        const int n = tableOrdinal(ch);
        if (n < 0)
            continue;
        ++r.hanziTotal;
        if (seen[ch])
            continue;
        seen[ch] = true;
        ++r.distinctTotal;
        const CharRecord rec = charRecord(data, n);
        if (rec.initial != 0)
            addTo(r.initials, rec.initial, ch);
        else if (rec.medial != 0)
            addTo(r.medials, rec.medial, ch);
        if (rec.final != 0)
            addTo(r.finals, rec.final, ch);
        addTo(r.tones, rec.tone, ch);
        addTo(r.strokes, rec.strokes, ch);
        addTo(r.radicals, rec.radical, ch);
        addTo(r.levels, generalUseLevelOf(data, n), ch);
    }
    return r;
}

std::vector<AttributeBranch> AttributeResult::attributeTree() const {
    using constants::BopomofoFinals;
    using constants::BopomofoInitials;
    using constants::BopomofoMedials;
    std::vector<AttributeBranch> tree;
    tree.push_back(branch(u"部首", radicals, 1,
                          [](int v) { return entryOf(constants::RadicalDisplayList, v); }));
    tree.push_back(branch(u"筆畫", strokes, 1, strokeCaption));
    tree.push_back(
        branch(u"聲符", initials, 1, [](int v) { return entryOf(BopomofoInitials, v); }));
    tree.push_back(branch(u"介符", medials, 1, [](int v) { return entryOf(BopomofoMedials, v); }));
    tree.push_back(branch(u"韻母", finals, 1, [](int v) { return entryOf(BopomofoFinals, v); }));
    tree.push_back(
        branch(u"聲調", tones, 0, [](int v) { return entryOf(constants::ToneMarks, v + 1); }));
    tree.push_back(branch(u"通用級數", levels, 1, levelCaption));
    return tree;
}

std::u16string attributeTreeText(const std::vector<AttributeBranch> &tree) {
    std::u16string out;
    for (const auto &branch : tree) {
        out += branch.caption + u"\n";
        for (const auto &leaf : branch.leaves)
            out += u"  " + leaf.caption + u"\t" + leaf.chars + u"\n";
    }
    return out;
}

std::u16string strokeCaption(int strokes) {
    if (strokes < 1 || strokes > 99)
        return {};
    const int tens = strokes / 10;
    const int units = strokes % 10;
    std::u16string s;
    if (tens >= 2)
        s.push_back(kNumerals[tens - 1]);
    if (tens >= 1)
        s.push_back(u'十');
    if (units > 0)
        s.push_back(kNumerals[units - 1]);
    return s + u"畫";
}

std::u16string levelCaption(int level) {
    if (level < 1 || level > 10)
        return {};
    return u"第" + std::u16string(1, kNumerals[level - 1]) + u"級";
}

} // namespace yuedu::article
