#pragma once
// Tiny segmentation data for tests: a dictionary built with the data builder from the words a
// test names, and a divider over it.
#include <memory>
#include <string>
#include <vector>

#include "langdata/languagedata.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"

namespace yuedu::testing {

// Language data whose segmentation dictionary holds exactly these words (the other tables
// stay zero).
std::unique_ptr<LanguageData> segData(const std::vector<std::u16string> &words);

// A divider over a dictionary of these words, the built-in lists and the given user words
// (the comma-joined form, "," for none).
class SegFixture {
public:
    explicit SegFixture(const std::vector<std::u16string> &words, std::u16string userWords = u",");
    std::u16string divide(std::u16string_view text) const { return m_divider->DivideText(text); }
    const seg::PhraseDivider &divider() const { return *m_divider; }

private:
    std::unique_ptr<LanguageData> m_data;
    seg::Lexicon m_lexicon;
    std::unique_ptr<seg::PhraseDivider> m_divider;
};

// The words of segmented text, in order (the two blanks and the line ends dropped); "|"
// between words makes expected results easy to read: u"看看|書".
std::u16string wordsOf(std::u16string_view segmented);

// Segmented text of the words separated by "|", laid out 12 then 13 a line.
std::u16string segmentedText(std::u16string_view words);

} // namespace yuedu::testing
