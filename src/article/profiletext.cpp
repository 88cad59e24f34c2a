#include "article/profiletext.h"

#include <string>

#include "article/articleprofile.h"
#include "report/json.h"
#include "report/numberformat.h"

namespace yuedu::article {

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

std::u16string profileFieldText(const ProfileField &field, const ProfileFigures &totals) {
    return std::u16string(field.caption) +
           report::formatGeneral(totals[field.entry] / field.divisor);
}

} // namespace yuedu::article

namespace yuedu::article {

std::u16string gradeRangeNote() {
    using report::decimalText;
    return u"岷丘年級數的公式以 " + decimalText(kGradeMinHanzi) + u" 至 " +
           decimalText(kGradeMaxHanzi) + u" 字的課文求得；本文長度或所得年級數（" +
           decimalText(static_cast<int>(kGradeMin)) + u" 至 " +
           decimalText(static_cast<int>(kGradeMax)) + u" 年級以外）超出這個範圍，數值僅供參考。";
}

std::u16string extraHanziNote(std::int64_t extraHanzi) {
    if (extraHanzi <= 0)
        return {};
    return u"（其中 " + report::decimalText(extraHanzi) +
           u" 字為資料檔未收的字，只計入字數，不計入依資料計算的數值）";
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

std::string profileJsonLine(const std::string &file, const ProfileResult &result) {
    report::JsonObject object;
    object.add("file", file);
    for (const auto &field : profileFields()) {
        if (fieldHasNoData(field, result))
            object.addNull(field.name);
        else
            object.addNumber(field.name, result.entry(field.entry) / field.divisor);
    }
    object.addBool("lorcf_in_range", result.gradeInRange());
    // Only where there are such hanzi, so a Big5 text's line stays as it always was.
    if (result.extraHanzi > 0)
        object.addNumber("hanzi_without_record", static_cast<double>(result.extraHanzi));
    return object.line();
}

} // namespace yuedu::article
