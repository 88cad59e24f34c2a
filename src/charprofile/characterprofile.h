#pragma once
// The profile of one hanzi: the 25 figures of its detail record (grades and frequency ranks in
// seven usage categories, word formation, use by school grade, national rank, general-use level
// and difficulty coefficient).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "langdata/languagedata.h"

namespace yuedu::charprofile {

inline constexpr int kProfileEntries = 25;

class CharacterProfile {
public:
    explicit CharacterProfile(const LanguageData &data);

    // Decodes the profile of ch (at most one character). A character that is not a table
    // character, or that has no detail record, is not found and gets 25 zeros.
    void charprofile(std::u16string_view ch);

    // Entries 1..25 (index 0 unused).
    std::array<std::int32_t, kProfileEntries + 1> WordProfile{};
    bool ProfileFound = false;

private:
    const LanguageData *m_data; // not owned; a pointer keeps results copyable
};

// The table characters of text in text order, repeats kept: the list the window pages through.
std::u16string tableCharacters(std::u16string_view text);

// Field name of entry 1..25 (w23456g, w23456s, ..., zanscale).
std::string_view wordProfileFieldName(int entry);

// True for the entries kept in hundredths (17..22 and 25).
bool isHundredths(int entry);

// The text of entry 1..25 as the profile window shows it: integers as plain decimals, the
// hundredths divided by 100 without trailing zeros (300 gives 3, 1234 gives 12.34).
std::u16string wordProfileText(int entry, std::int32_t value);

} // namespace yuedu::charprofile
