#include "report/captions.h"

#include "article/profileentry.h"

namespace yuedu::report {

using namespace article;

const std::array<Caption, kGradeGroups> &gradeGroups() {
    static const std::array<Caption, kGradeGroups> groups = {{
        {u"一年級", "grade1"},
        {u"二年級", "grade2"},
        {u"三年級", "grade3"},
        {u"四年級", "grade4"},
        {u"五年級", "grade5"},
        {u"六年級", "grade6"},
        {u"未出現", "unlisted"},
    }};
    return groups;
}

const std::array<Caption, kUseLevels> &useLevels() {
    static const std::array<Caption, kUseLevels> levels = {{
        {u"一級", "level1"},
        {u"二級", "level2"},
        {u"三級", "level3"},
        {u"四級", "level4"},
        {u"五級", "level5"},
        {u"六級", "level6"},
        {u"七級", "level7"},
        {u"八級", "level8"},
        {u"九級", "level9"},
        {u"十級", "level10"},
    }};
    return levels;
}

const std::array<ProfileField, kProfileFields> &profileFields() {
    static const std::array<ProfileField, kProfileFields> fields = {{
        {"zancf", u"葦氏認知係數﹦", kMeanCoefficient, 10000},
        {"wdartlen", u"全文長﹦", kHanziCount, 1},
        {"wordlen", u"字別數﹦", kDistinctHanzi, 1},
        {"wddesi", u"字密度﹦", kDensity, 1},
        {"paran", u"句子數﹦", kSentences, 1},
        {"xbparan", u"平均句長﹦", kMeanSentenceLength, 100},
        {"singp", u"獨立句數﹦", kSingleClauseSentences, 1},
        {"multip", u"小句數﹦", kClauses, 1},
        {"busho", u"部首數﹦", kRadicalCount, 1},
        {"biha", u"平均筆畫數﹦", kMeanStrokes, 100},
        {"lorcf", u"岷丘年級數﹦", kEstimatedGrade, 1000},
        {"generg1", u"通用一級字數﹦", kLevel1Count, 1},
        {"generg2", u"通用二級字數﹦", kLevel1Count + 1, 1},
        {"generg3", u"通用三級字數﹦", kLevel1Count + 2, 1},
        {"generg4", u"通用四級字數﹦", kLevel1Count + 3, 1},
        {"generg5", u"通用五級字數﹦", kLevel1Count + 4, 1},
        {"generg6", u"通用六級字數﹦", kLevel1Count + 5, 1},
        {"generg7", u"通用七級字數﹦", kLevel1Count + 6, 1},
        {"generg8", u"通用八級字數﹦", kLevel1Count + 7, 1},
        {"generg9", u"通用九級字數﹦", kLevel1Count + 8, 1},
        {"generg10", u"通用十級字數﹦", kLevel10Count, 1},
    }};
    return fields;
}

} // namespace yuedu::report
