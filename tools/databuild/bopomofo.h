#pragma once
// Bopomofo readings and radicals as the character record stores them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "databuild/sensefile.h"

namespace yuedu::databuild {

// Reading fields of a syllable such as "ㄓㄨㄥ", "ㄏㄠˇ", "ㄇㄚ˙" or "˙ㄇㄚ" (no mark or ˉ is
// the first tone). The fields are written into record; returns false for an ill-formed
// syllable (unknown symbol, symbols out of order, more than one of a kind, nothing at all).
bool parseBopomofo(std::u16string_view syllable, CharRecord &record);

// The syllable of the reading fields of a record (the inverse of parseBopomofo, tone mark
// last, none for the first tone); empty when the record has no reading.
std::u16string formatBopomofo(const CharRecord &record);

// Reading fields from a phone code: initial << 9 | medial << 7 | final << 3 | tone.
void setPhoneCode(std::uint16_t phone, CharRecord &record);

// Entry of the 213-entry radical list of a Kangxi radical number 1..214 (夂 34 and 夊 35 share
// entry 34), 0 outside that range.
int radicalEntryOfKangxi(int kangxi);

// Kangxi radical number of a radical list entry (entry 34 gives 34, 夂), 0 outside 1..213.
int kangxiOfRadicalEntry(int entry);

} // namespace yuedu::databuild
