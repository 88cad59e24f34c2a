#pragma once
// The word-class lists of the rule passes and the user words, built once (LoadLexicon) and
// read-only afterwards. Every list is kept exactly as stored, separators and all, because the
// passes rely on substring membership (InList).
#include <filesystem>
#include <string>

#include "langdata/languagedata.h"
#include "segment/wordlist.h"

namespace yuedu::seg {

class Lexicon {
public:
    // Character lists.
    WordList NounChars, VerbChars, StateAdjChars, MeasureChars, NumeralChars, QuantityChars,
        SuffixChars, TimePrefixChars, AdverbChars, NegationPartners, RedupAdjChars, RedupAdjChars2,
        ErAdjChars, ToVerbChars, ComplementChars;
    // Word lists (entries separated by U+0001).
    WordList QuantityWords, UnitWords, TimeUnitChars, TimeUnitWords, AllWords, DirectionWords,
        AdverbWords, AdverbPhrases, AabbWords, AbbStems, AbabWords, ALiAbWords, PerceptionWords,
        DirComplWords;

    // "," followed by every line of userword.apd and a ",".
    std::u16string UserWords = u",";

    // The built-in lists with no user words.
    static const Lexicon &builtIn();
};

// Builds the lists and reads userword.apd from dir. A missing file means no user words; a file
// that is there but cannot be read, or is no text, leaves them empty too and is added to
// *report (when given). The file is Big5 text; UTF-8 is accepted too.
Lexicon LoadLexicon(const std::filesystem::path &dir, LoadReport *report = nullptr);

// The user words from the text of a userword.apd file (line ends CR LF, LF or CR).
std::u16string userWordsFromText(std::u16string_view fileText);

} // namespace yuedu::seg
