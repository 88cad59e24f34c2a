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

} // namespace yuedu::article
