#pragma once
// Constant character strings of the language data. Each is used as a 1-based sequence of
// characters: entry k is the k-th character (s[k - 1]).
#include <string>
#include <string_view>

namespace yuedu::constants {

inline constexpr std::u16string_view BopomofoInitials =
    u"ㄅㄆㄇㄈㄉㄊㄋㄌㄍㄎㄏㄐㄑㄒㄓㄔㄕㄖㄗㄘㄙ";
inline constexpr std::u16string_view BopomofoMedials = u"ㄧㄨㄩ";
inline constexpr std::u16string_view BopomofoFinals = u"ㄚㄛㄜㄝㄞㄟㄠㄡㄢㄣㄤㄥㄦ";
// First tone, neutral tone, second, third, fourth tone.
inline constexpr std::u16string_view ToneMarks = u"ˉ˙ˊˇˋ";

// 213 entries: the 214 classical radicals with 夂 and 夊 as one entry (34).
extern const std::u16string_view RadicalList;
// The same entries as standard characters, for showing to the user.
extern const std::u16string_view RadicalDisplayList;

extern const std::u16string_view CommonCharListPart1; // 201 characters
extern const std::u16string_view CommonCharListPart2; // 297 characters

// The 498 most frequent hanzi in rank order: part 1 followed by part 2.
const std::u16string &CommonCharList();

} // namespace yuedu::constants
