#include "article/profiletext.h"

#include <charconv>
#include <cmath>
#include <string>

#include "article/articleprofile.h"

namespace yuedu::article {

const std::array<ProfileField, 21> &profileFields() {
    static const std::array<ProfileField, 21> fields = {{
        {"zancf", u"葦氏認知係數﹦", kMeanCoefficient, 10000},
        {"wdartlen", u"全文長﹦", kHanziCount, 1},
        {"wordlen", u"字別數﹦", kDistinctHanzi, 1},
        {"wddesi", u"字密度﹦", kDensity, 100},
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

std::u16string formatGeneral(double value) {
    if (value == 0 || std::isnan(value))
        return u" 0";
    // Seven significant digits, trailing zeros dropped, and E+07-style exponents, as %.7G gives
    // them; to_chars because the toolkit switches the C library to the user's locale, where
    // printf would write a decimal comma.
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 7).ptr;
    std::string s(buf, end);
    for (char &c : s)
        if (c == 'e')
            c = 'E';
    const bool negative = s.front() == '-';
    if (negative)
        s.erase(0, 1);
    if (s.size() > 1 && s[0] == '0' && s[1] == '.')
        s.erase(0, 1);
    std::u16string out(1, negative ? u'-' : u' ');
    for (char c : s)
        out.push_back(static_cast<char16_t>(c));
    return out;
}

std::u16string_view profileOutcomeMessage(ProfileOutcome outcome) {
    switch (outcome) {
    case ProfileOutcome::Done:
        return {};
    case ProfileOutcome::EmptyText:
        return u"沒有分析資料：請先選取文章部份內容或全部內容。";
    case ProfileOutcome::NoGenre:
        return u"未選定文章的形式與體裁，結構面向未分析。";
    case ProfileOutcome::NoTableCharacters:
        return u"選取的文字中沒有可分析的中文字，無法計算結構面向；先前的分析結果保留不變。";
    }
    return {};
}

std::u16string profileFieldText(const ProfileField &field, const std::array<double, 23> &totals) {
    return std::u16string(field.caption) + formatGeneral(totals[field.entry] / field.divisor);
}

} // namespace yuedu::article

namespace yuedu::article {

std::u16string gradeRangeNote() {
    auto digits = [](std::int64_t v) {
        std::u16string out;
        for (char c : std::to_string(v))
            out.push_back(static_cast<char16_t>(c));
        return out;
    };
    return u"岷丘年級數的公式以 " + digits(kGradeMinHanzi) + u" 至 " + digits(kGradeMaxHanzi) +
           u" 字的課文求得；本文長度或所得年級數（" + digits(static_cast<int>(kGradeMin)) +
           u" 至 " + digits(static_cast<int>(kGradeMax)) +
           u" 年級以外）超出這個範圍，數值僅供參考。";
}

bool fieldHasNoData(const ProfileField &field, const ProfileResult &result) {
    return !result.hasData(field.entry);
}

bool fieldOutOfRange(const ProfileField &field, const ProfileResult &result) {
    return field.entry == kEstimatedGrade && result.done() && !result.gradeInRange();
}

std::u16string profileFieldText(const ProfileField &field, const ProfileResult &result) {
    if (fieldHasNoData(field, result))
        return std::u16string(field.caption) + std::u16string(kNoDataMark);
    std::u16string text = profileFieldText(field, result.ProfileTotals);
    if (fieldOutOfRange(field, result))
        text += kOutOfRangeMark;
    return text;
}

} // namespace yuedu::article
