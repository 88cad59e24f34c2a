#pragma once
// Everything the three data files and userword.apd are written from, gathered from the text
// sources and (optionally) the installed open lexical sources.
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "databuild/gradefile.h"
#include "databuild/sensefile.h"
#include "databuild/wordfilter.h"

namespace yuedu::databuild {

// A candidate word of the open sources and what became of it.
struct WordChoice {
    std::u16string word;
    const char *source = ""; // "chewing" or "essay"
    std::uint64_t weight = 0;
    WordVerdict verdict = WordVerdict::Kept;
};

struct DataSet {
    std::vector<std::u16string> segWords; // in priority order
    GradeSources grades;
    SenseSources senses;
    std::vector<std::u16string> userWordLines;
    // Characters by descending corpus frequency (from the open sources); empty without them.
    std::vector<char16_t> frequencyOrder;
    std::vector<std::string> notes; // what the report should mention
    // The candidate words of the open sources in the order offered, with their verdicts.
    std::vector<WordChoice> wordChoices;
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
// derived from the open sources. Entries the text sources already gave keep priority. The
// dictionary words are chosen with the rules of WordFilter.
void addOpenSources(const OpenSourcePaths &paths, DataSet &data,
                    const WordFilterSettings &filter = {});

// Fills the detail records: word-formation count and degree from the written dictionary words,
// general-use level from the frequency bands. Explicit figures already in data.senses.details
// are kept. writtenWords are the words the dictionary really holds.
void deriveDetails(const std::vector<std::u16string> &writtenWords, DataSet &data);

// Grade list 5 for the full data: the 498 characters children meet most often, in their order,
// then the corpus frequency order, up to 3000 characters.
std::u16string childrensRankList(const std::vector<char16_t> &frequencyOrder);

// General-use level 1..9 of a 1-based frequency rank (0 beyond the last band).
int generalUseLevel(std::size_t rank);

} // namespace yuedu::databuild
