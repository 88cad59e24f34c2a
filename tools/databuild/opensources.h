#pragma once
// Readers of the installed open lexical sources: the chewing phrase tree, the Rime essay word
// list (already converted to Taiwan forms), the Unihan fields and the Rime stroke table.
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace yuedu::databuild {

struct WeightedWord {
    std::u16string word;
    std::uint64_t weight = 0;
};

struct ChewingData {
    // Phrases of two or more characters with their frequency, in dictionary order, each once
    // (a phrase listed under several readings keeps its highest frequency).
    std::vector<WeightedWord> phrases;
    // For each character, its readings (phone codes) in dictionary order with the summed
    // frequency of the phrases that read it so.
    struct Reading {
        std::uint16_t phone = 0;
        std::uint64_t weight = 0;
    };
    std::unordered_map<char16_t, std::vector<Reading>> readings;
};

// Reads dictionary.dat and index_tree.dat of a chewing data folder. Throws FormatError when
// the tree does not have the expected layout.
ChewingData readChewing(const std::filesystem::path &dir);

// "word<TAB>weight" lines; lines without a weight get 0.
std::vector<WeightedWord> readEssay(const std::filesystem::path &path);

struct UnihanData {
    std::unordered_map<char16_t, int> kangxiRadical; // first kRSUnicode value
    std::unordered_map<char16_t, int> totalStrokes;  // kTotalStrokes, Taiwan value if two
    std::unordered_map<char16_t, int> gradeLevel;    // kGradeLevel
};

// Reads the uncompressed Unihan files (IRG sources and dictionary-like data); only characters
// of the Basic Multilingual Plane are kept.
UnihanData readUnihan(const std::filesystem::path &irgSources,
                      const std::filesystem::path &dictionaryLike);

// Stroke counts from the Rime stroke table: the length of the first code of each character.
std::unordered_map<char16_t, int> readStrokeTable(const std::filesystem::path &path);

} // namespace yuedu::databuild
