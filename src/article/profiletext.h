#pragma once
// The display texts of the profile figures: a caption followed by the number in the plain
// general format (report::formatGeneral), as the profile window and the command line show them.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "article/articleprofile.h"
#include "report/captions.h"

namespace yuedu::article {

// The fields are the report's caption table.
using report::ProfileField;
using report::profileFields;

// What to tell the user when a text gave no profile (empty for a profile that was made).
std::u16string_view profileOutcomeMessage(ProfileOutcome outcome);

// The display text of one field for the figures in totals (entries 1..22).
std::u16string profileFieldText(const ProfileField &field, const ProfileFigures &totals);

// Shown instead of a number the loaded data cannot give, and after an estimated grade outside
// the range its formula was fitted for.
inline constexpr std::u16string_view kNoDataMark = u"—";
inline constexpr std::u16string_view kOutOfRangeMark = u"＊";
inline constexpr std::u16string_view kNoDataNote =
    u"資料檔中沒有這項數值的公開資料來源，故不顯示。";
// What the windows add to their totals when a text has hanzi without a record in the data:
// "（其中 N 字為資料檔未收的字，不計入依資料計算的數值）"; empty when there are none.
std::u16string extraHanziNote(std::int64_t extraHanzi);

// Why a grade carries the mark.
std::u16string gradeRangeNote();

// The display text of one field of a result: caption and number, the no-data mark in place of
// the number the data cannot give, the range mark after an estimated grade outside its range.
std::u16string profileFieldText(const ProfileField &field, const ProfileResult &result);
// Whether the field shows a figure the data cannot give, or a grade outside its range.
bool fieldHasNoData(const ProfileField &field, const ProfileResult &result);
bool fieldOutOfRange(const ProfileField &field, const ProfileResult &result);

// The profile of a made result as one JSON object on a line: "file", then every field by its
// machine name (null for a figure the data cannot give, never a 0 that reads as measured), then
// "lorcf_in_range".
std::string profileJsonLine(const std::string &file, const ProfileResult &result);

} // namespace yuedu::article
