#include "wordstats/taxonomy.h"

namespace yuedu::wordstats {
namespace {

constexpr TaxonomyClass kGeneral[] = {{u"物統稱", 15}, {u"自然物", 21}, {u"動物", 23},
                                      {u"植物", 22},   {u"微生物", 24}, {u"天體", 18},
                                      {u"地物", 19},   {u"建築物", 28}, {u"身體", 25}};
constexpr TaxonomyClass kPeople[] = {{u"人稱", 1},  {u"性別年紀", 2}, {u"親屬", 8}, {u"輩份", 9},
                                     {u"關係", 10}, {u"職業", 5},     {u"身份", 6}, {u"籍屬", 4},
                                     {u"境況", 7},  {u"惡丑", 14}};
constexpr TaxonomyClass kTimeSpace[] = {{u"時間", 33}, {u"空間", 34}, {u"數量單位", 48}};
constexpr TaxonomyClass kStructure[] = {
    {u"機構", 47}, {u"行政", 64}, {u"社會", 43}, {u"經濟", 44}, {u"文教", 45}};
constexpr TaxonomyClass kGoods[] = {{u"材料", 27},   {u"機具", 29},     {u"用品", 30},
                                    {u"衣物", 31},   {u"食品藥品", 32}, {u"物體各部", 17},
                                    {u"泌泄物", 26}, {u"擬狀物", 16},   {u"比喻物", 41}};
constexpr TaxonomyClass kActivity[] = {
    {u"心理活動", 60}, {u"意願", 61},     {u"意識", 40},     {u"文化活動", 69},
    {u"生活活動", 71}, {u"社交活動", 70}, {u"教育衛生", 68}, {u"生產活動", 65},
    {u"經濟活動", 66}, {u"交通運輸", 67}, {u"政治活動", 62}, {u"法律活動", 74},
    {u"宗教活動", 72}, {u"迷信活動", 73}, {u"臆想物", 42},   {u"軍事活動", 63}};
constexpr TaxonomyClass kAction[] = {
    {u"頭部動作", 57}, {u"上肢動作", 55}, {u"下肢動作", 56}, {u"全身動作", 58}, {u"表情", 78}};
constexpr TaxonomyClass kProperty[] = {{u"性質", 52},     {u"色味", 51}, {u"性能", 38},
                                       {u"性格才能", 39}, {u"品性", 11}, {u"才識", 12},
                                       {u"德才", 53},     {u"惡行", 75}, {u"事理", 36}};
constexpr TaxonomyClass kState[] = {{u"存在", 87}, {u"心理狀態", 59}, {u"物體狀態", 79},
                                    {u"事態", 80}, {u"體態", 3},      {u"場境", 54},
                                    {u"境遇", 81}, {u"始末", 82},     {u"變化", 83}};
constexpr TaxonomyClass kAppearance[] = {
    {u"表象", 50}, {u"外形", 49}, {u"外貌", 37}, {u"事況", 35}};
constexpr TaxonomyClass kPhenomenon[] = {
    {u"自然現象", 76}, {u"氣象", 20}, {u"生理現象", 77}, {u"疾病", 46}, {u"信仰", 13}};
constexpr TaxonomyClass kFunction[] = {{u"聯繫", 84}, {u"連接", 91}, {u"同異", 85}, {u"程度", 86},
                                       {u"影響", 88}, {u"狀語", 89}, {u"中介", 90}, {u"助語", 92},
                                       {u"敬語", 95}, {u"呼嘆", 93}, {u"狀聲", 94}};

const std::array<TaxonomyCategory, kSenseCategoryCount> kTaxonomy = {{
    {u"總類", kGeneral},
    {u"人群", kPeople},
    {u"時空", kTimeSpace},
    {u"組構", kStructure},
    {u"物品", kGoods},
    {u"活動", kActivity},
    {u"動作", kAction},
    {u"特性", kProperty},
    {u"狀態", kState},
    {u"貌相", kAppearance},
    {u"現象", kPhenomenon},
    {u"功能詞", kFunction},
}};

} // namespace

const std::array<TaxonomyCategory, kSenseCategoryCount> &senseTaxonomy() {
    return kTaxonomy;
}

std::vector<report::TreeNode>
senseTreeNodes(const std::array<std::u16string, kSenseClassCount> &lists) {
    std::vector<report::TreeNode> nodes;
    for (const auto &category : kTaxonomy)
        nodes.push_back({category.label, category.label, 0, {}});
    for (std::size_t c = 0; c < kTaxonomy.size(); ++c) {
        for (const auto &cls : kTaxonomy[c].classes) {
            const std::u16string &words = lists[static_cast<std::size_t>(cls.senseClass) - 1];
            if (words.empty())
                continue;
            nodes.push_back({cls.label, cls.label, static_cast<int>(c) + 1, words});
            nodes[c].words += words;
        }
    }
    return nodes;
}

} // namespace yuedu::wordstats
