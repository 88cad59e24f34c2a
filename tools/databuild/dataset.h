#pragma once
// Everything the three data files and userword.apd are written from, gathered from the text
// sources and (optionally) the installed open lexical sources.
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "databuild/gradefile.h"
#include "databuild/sensefile.h"

namespace yuedu::databuild {

struct DataSet {
    std::vector<std::u16string> segWords; // in priority order
    GradeSources grades;
    SenseSources senses;
    std::vector<std::u16string> userWordLines;
    // Characters by descending corpus frequency (from the open sources); empty without them.
    std::vector<char16_t> frequencyOrder;
    std::vector<std::string> notes; // what the report should mention
};

struct OpenSourcePaths {
    std::filesystem::path chewingDir;  // dictionary.dat and index_tree.dat
    std::filesystem::path essay;       // essay word list converted to Taiwan forms
    std::filesystem::path unihanIrg;   // Unihan_IRGSources.txt (uncompressed)
    std::filesystem::path unihanDict;  // Unihan_DictionaryLikeData.txt (uncompressed)
    std::filesystem::path strokeTable; // stroke.dict.yaml
};

// True when the word is two to four hanzi that the dictionary tables can hold.
bool isDictionaryWord(std::u16string_view word);

// Adds the dictionary words, character records, rank list, grade list 1 and frequency order
// derived from the open sources. Entries the text sources already gave keep priority.
void addOpenSources(const OpenSourcePaths &paths, DataSet &data);

// Fills the detail records: word-formation count and degree from the written dictionary words,
// general-use level from the frequency bands. Explicit figures already in data.senses.details
// are kept. writtenWords are the words the dictionary really holds.
void deriveDetails(const std::vector<std::u16string> &writtenWords, DataSet &data);

// General-use level 1..9 of a 1-based frequency rank (0 beyond the last band).
int generalUseLevel(std::size_t rank);

} // namespace yuedu::databuild
