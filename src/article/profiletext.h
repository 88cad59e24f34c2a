#pragma once
// The display texts of the profile figures: a caption followed by the number in the plain
// general format, as the profile window and the command line show them.
#include <array>
#include <string>
#include <string_view>

#include "article/articleprofile.h"

namespace yuedu::article {

struct ProfileField {
    std::string_view name;       // field name of the profile window (zancf, wdartlen, ...)
    std::u16string_view caption; // caption ending in ﹦
    int entry;                   // entry of ProfileTotals
    double divisor;              // the entry is shown divided by this
};

// The 21 fields in the order in which the window refreshes them.
const std::array<ProfileField, 21> &profileFields();

// The plain general format: a leading blank for values that are not negative, at most seven
// significant digits, no zero before the point of a value between -1 and 1 (0.52 gives " .52"),
// and an exponent (" 1.234568E+07") for values too large or too small for seven digits.
std::u16string formatGeneral(double value);

// What to tell the user when a text gave no profile (empty for a profile that was made).
std::u16string_view profileOutcomeMessage(ProfileOutcome outcome);

// The display text of one field for the figures in totals (entries 1..22).
std::u16string profileFieldText(const ProfileField &field, const std::array<double, 23> &totals);

// Shown instead of a number the loaded data cannot give, and after an estimated grade outside
// the range its formula was fitted for.
inline constexpr std::u16string_view kNoDataMark = u"—";
inline constexpr std::u16string_view kOutOfRangeMark = u"＊";
inline constexpr std::u16string_view kNoDataNote =
    u"資料檔中沒有這項數值的公開資料來源，故不顯示。";
// Why a grade carries the mark.
std::u16string gradeRangeNote();

// The display text of one field of a result: caption and number, the no-data mark in place of
// the number the data cannot give, the range mark after an estimated grade outside its range.
std::u16string profileFieldText(const ProfileField &field, const ProfileResult &result);
// Whether the field shows a figure the data cannot give, or a grade outside its range.
bool fieldHasNoData(const ProfileField &field, const ProfileResult &result);
bool fieldOutOfRange(const ProfileField &field, const ProfileResult &result);

} // namespace yuedu::article
