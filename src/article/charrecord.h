#pragma once
// The two attribute records of a table character in phwdvbdn.byt: the 4-byte character record
// (pronunciation, radical, strokes) and the 44-byte detail record found through its index.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "langdata/languagedata.h"

namespace yuedu::article {

// Decoded character record. Values are what the file holds; callers check ranges.
struct CharRecord {
    int initial = 0; // 1..21 entry of BopomofoInitials, 0 = none
    int medial = 0;  // 1..3 entry of BopomofoMedials, 0 = none
    int final = 0;   // 1..13 entry of BopomofoFinals, 0 = none
    int tone = 0;    // 0..4; its mark is entry tone + 1 of ToneMarks
    int radical = 0; // 1..213 entry of RadicalList
    int strokes = 0; // 1..35
};

// Record of table ordinal n (0..13059). Ordinals outside the table give an all-zero record.
CharRecord charRecord(const LanguageData &data, int ordinal);

inline constexpr int kDetailBytes = 44;
using DetailRecord = std::span<const std::uint8_t, kDetailBytes>;

// Record number of ordinal n in the detail index; 0 when the character has none.
int detailRecordNumber(const LanguageData &data, int ordinal);

// The detail record of ordinal n, or nothing when its record number is 0 (most rare characters
// have none: the table holds far fewer records than there are characters) or points past the
// end of the table.
std::optional<DetailRecord> detailRecord(const LanguageData &data, int ordinal);

// Fields of the detail record used by the article analyses.
// General-use level: low 4 bits of byte 39, 0..15 (1..9 are real levels).
inline int zangener(DetailRecord r) {
    return r[39] & 0x0F;
}
// Level 1..10 as the analyses count it: anything but 1..9 is level 10.
inline int generalUseLevel(int zangenerValue) {
    return zangenerValue >= 1 && zangenerValue <= 9 ? zangenerValue : 10;
}
// Cognitive difficulty coefficient × 100, bytes 40..41 big-endian.
inline int zanscale(DetailRecord r) {
    return (r[40] << 8) | r[41];
}

// Field 1..25 of a detail record, in the order of the character profile: a grade byte and a
// two-byte rank for each of seven usage categories (1..14), word formation, use by grade and
// national rank (15..23), the general-use level (24) and the difficulty coefficient (25).
int detailField(DetailRecord r, int field);
inline constexpr int kDetailFields = 25;
inline constexpr int kZangenerField = 24;
inline constexpr int kZanscaleField = 25;

// Which detail fields the loaded data fills. A field that is 0 in every record of the file has
// no source behind it (the open data leaves most of them empty), so a 0 read from it is no
// measurement. Decided from the data itself, so a hand-made data set needs no description.
struct DetailCoverage {
    std::array<bool, kDetailFields> filled{}; // filled[f - 1] for field f
    bool has(int field) const {
        return field >= 1 && field <= kDetailFields && filled[static_cast<std::size_t>(field) - 1];
    }
};
DetailCoverage detailCoverage(const LanguageData &data);

// Level of a table character, counting a character without detail record as level 10.
int generalUseLevelOf(const LanguageData &data, int ordinal);

} // namespace yuedu::article
