#pragma once
// The captions of the figures, one table each, used alike by the windows, the exports, the
// command line and the comparison: the grade groups, the general-use levels and the fields of
// the structure profile, each with its Chinese caption and its machine name (the names of the
// command line's output, which stay as they are).
#include <array>
#include <string>
#include <string_view>

namespace yuedu::report {

inline constexpr int kGradeGroups = 7; // 一年級 .. 六年級, 未出現
inline constexpr int kUseLevels = 10;  // general-use levels 1..10
inline constexpr int kProfileFields = 21;

struct Caption {
    std::u16string_view label; // 一年級, 一級, ...
    std::string_view name;     // grade1, level1, ...
};

// Group 0..6: 一年級 .. 六年級 (grade1 .. grade6) and 未出現 (unlisted).
const std::array<Caption, kGradeGroups> &gradeGroups();
// Level 0..9: 一級 .. 十級 (level1 .. level10).
const std::array<Caption, kUseLevels> &useLevels();

struct ProfileField {
    std::string_view name;       // machine name, also the window's field name (zancf, ...)
    std::u16string_view caption; // caption ending in ﹦, as the profile window shows it
    int entry;                   // the entry of the profile's figures (article::ProfileEntry)
    double divisor;              // the entry is shown divided by this

    // The caption without its closing ﹦, as table headers show it.
    std::u16string_view label() const { return caption.substr(0, caption.size() - 1); }
};

// The 21 fields of the structure profile in the order the window shows them.
const std::array<ProfileField, kProfileFields> &profileFields();

} // namespace yuedu::report
