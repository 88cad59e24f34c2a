#pragma once
// Readers of the documented UTF-8 text sources of the data files (see data/README.md).
#include <filesystem>
#include <string>
#include <vector>

#include "databuild/gradefile.h"
#include "databuild/sensefile.h"

namespace yuedu::databuild {

// Dictionary words, one a line (first field; later fields such as a frequency are ignored),
// appended in file order, which is their priority.
void readWordList(const std::filesystem::path &path, std::vector<std::u16string> &words);

// Grade entries "word<TAB>code", sorted into the list of the word's length (1..4).
void readGradeList(const std::filesystem::path &path, GradeSources &grades);

// Rank list: hanzi in rank order, any number a line; blanks ignored. Appended to rank.
void readRankList(const std::filesystem::path &path, std::u16string &rank);

// Sense classes "word<TAB>class", the class as its label (人稱, 狀聲, ...) or number 1..95.
void readSenseList(const std::filesystem::path &path, std::vector<SenseWord> &words);

// Character records "hanzi<TAB>bopomofo<TAB>Kangxi radical 1..214<TAB>strokes"; the reading
// may be "-" for none.
void readCharList(const std::filesystem::path &path, std::vector<CharEntry> &chars);

// Detail figures "hanzi<TAB>name=value<TAB>name=value...", names as in the detail record
// (w23456g, w23456s, ..., p468s, p468c, grade2use..grade6use, grademeanuse, edupto, zangener,
// zanscale). Unnamed figures stay 0.
void readDetailList(const std::filesystem::path &path, std::vector<DetailEntry> &details);

// User words "word,word,..." a line; returned as the lines to write to userword.apd.
void readUserWords(const std::filesystem::path &path, std::vector<std::u16string> &lines);

} // namespace yuedu::databuild
