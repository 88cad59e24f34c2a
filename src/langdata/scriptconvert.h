#pragma once
// Simplified Chinese text turned into Traditional (as written in Taiwan) with OpenCC's s2tw
// conversion, phrase by phrase, before it is analysed; and the count of hanzi a text has that
// code page 950, and so the data, has no record of.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu {

struct ScriptConversion {
    std::u16string text;
    std::size_t changed = 0; // characters that are written otherwise in Traditional
};

// Converts text from Simplified to Traditional Chinese. What is Traditional already, and every
// character that is no hanzi, stays as it is. Throws Error when OpenCC or its s2tw
// configuration cannot be loaded. Safe to call from several threads at once.
ScriptConversion toTraditional(std::u16string_view text);

// The name of the conversion, for the notes that say it was made.
inline constexpr const char *kToTraditionalName = "OpenCC s2tw";

// Hanzi of the text (CJK ideographs of every block, compatibility ideographs) that code page
// 950 does not hold.
std::size_t hanziOutsideBig5(std::u16string_view text);

// What the programs say about a text's script, one English sentence each (without the file's
// name): a warning for a text that was read as Simplified Chinese, a note for a conversion.
struct ScriptNote {
    bool warning = false;
    std::string text;
};

// Converts text in place when convert is set, and gives the notes to show: that it was
// converted (and how many characters changed); for a text read in a Simplified encoding
// (simplified), that it was, with the number of hanzi that have no record in the data
// afterwards. Throws Error as toTraditional does.
std::vector<ScriptNote> applyToTraditional(std::u16string &text, bool simplified, bool convert);

// The same notes from counts, for a text converted a piece at a time: outsideAsRead and
// outsideAfter are hanziOutsideBig5 before and after the conversion.
std::vector<ScriptNote> scriptNotes(bool simplified, bool converted, std::size_t outsideAsRead,
                                    std::size_t changed, std::size_t outsideAfter);

} // namespace yuedu
