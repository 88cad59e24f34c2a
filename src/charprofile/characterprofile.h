#pragma once
// The profile of one hanzi: the 25 figures of its detail record (grades and frequency ranks in
// seven usage categories, word formation, use by school grade, national rank, general-use level
// and difficulty coefficient).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "article/charrecord.h"
#include "langdata/languagedata.h"

namespace yuedu::charprofile {

inline constexpr int kProfileEntries = 25;

// The figures of one character.
struct CharFigures {
    std::u16string ch; // the character (empty for none)
    // The 25 figures from 0: WordProfile[e - 1] is detail field e (1..25) of the record.
    std::array<std::int32_t, kProfileEntries> WordProfile{};
    bool ProfileFound = false;

    // Detail field e (1..25), 0 outside them.
    std::int32_t figure(int e) const {
        return e >= 1 && e <= kProfileEntries ? WordProfile[static_cast<std::size_t>(e) - 1] : 0;
    }
};

// Decodes the profile of ch (at most one character). A character that is not a table
// character, or that has no detail record, is not found and gets 25 zeros.
CharFigures charprofile(const LanguageData &data, std::u16string_view ch);

// What the character profile window pages through: the table characters of one text, and
// which of the 25 figures the loaded data fills at all.
struct CharProfileResult {
    std::u16string ProfileCharList; // in text order, repeats kept
    article::DetailCoverage coverage;
    // Hanzi of the text without a record (outside code page 950): not in the list, as they
    // have no figures; repeats counted.
    std::size_t extraHanzi = 0;

    std::size_t size() const { return ProfileCharList.size(); }
    bool empty() const { return ProfileCharList.empty(); }
    // False for an entry that no record of the data fills: its 0 is no measurement.
    bool hasData(int entry) const { return coverage.has(entry); }
    // The figures of position i (0-based).
    CharFigures at(const LanguageData &data, std::size_t i) const;
    // Distinct characters of the list.
    std::size_t distinctCount() const;
};

CharProfileResult characterProfiles(const LanguageData &data, std::u16string_view text);

// The text of entry 1..25 for a character, as the window, the command line and the exports
// show it: empty when the data has no figures for that entry (the caller shows its own mark).
std::u16string figureText(const CharProfileResult &result, const CharFigures &figures, int entry);

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
