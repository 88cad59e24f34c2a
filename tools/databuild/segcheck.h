#pragma once
// Reads a segmentation dictionary image back the way the segmenter looks words up, so the
// builder can tell which words the written tables really hold.
#include <string>
#include <string_view>
#include <vector>

namespace yuedu::databuild {

class SegDictionaryReader {
public:
    explicit SegDictionaryReader(std::string_view image);

    // True when the segmenter finds the word (two to four characters) as a dictionary word:
    // the second character in the first character's group of two-character words; the
    // three-character tail first found at an odd position of the long-word group; the
    // four-character tail anywhere in it.
    bool holds(std::u16string_view word) const;

    // The decoded groups of a first character (empty when it has none).
    const std::u16string &shortGroup(int ordinal) const { return m_short[ordinal]; }
    const std::u16string &longGroup(int ordinal) const { return m_long[ordinal]; }

private:
    std::vector<std::u16string> m_short, m_long;
};

} // namespace yuedu::databuild
