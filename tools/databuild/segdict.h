#pragma once
// Writer of dpphvbdn.byt, the segmentation dictionary.
#include <string>
#include <vector>

namespace yuedu::databuild {

struct SegDictReport {
    std::size_t words2 = 0, words3 = 0, words4 = 0; // words written, by length
    std::size_t dropped = 0;           // words that did not fit a table (lowest priority first)
    std::size_t wordBytes = 0;         // bytes used of SegWordTable
    std::size_t auxBytes = 0;          // bytes used of SegAuxTable
    std::vector<std::string> problems; // e.g. tails that could not be laid out
};

// Builds the 746230-byte image from words in priority order (earlier words win when a table
// is full). Words of two to four Big5 hanzi are written; anything else is refused with a
// FormatError naming the word; repeated words are written once. Every three-character tail is
// laid out so that it is found first at an odd position of its group; a tail that cannot be
// (it already occurs across the boundary of two others) is dropped. Dropped words are counted
// and named in *report; without a report, any dropped word is a FormatError.
std::string buildSegFile(const std::vector<std::u16string> &words, SegDictReport *report = nullptr);

} // namespace yuedu::databuild
