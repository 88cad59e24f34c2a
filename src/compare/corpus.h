#pragma once
// The texts of a comparison: files and folders named by the user turned into a list of files,
// and one file read into text whatever its kind (RTF by content, else Big5/UTF-8/UTF-16).
#include <string>
#include <vector>

namespace yuedu::compare {

struct CollectProblem {
    std::string path;
    std::string message;
    bool emptyFolder = false; // nothing wrong, only nothing to compare there
};

struct CollectedTexts {
    std::vector<std::string> files; // in the order of the arguments, each folder in path order
    std::vector<CollectProblem> problems; // missing paths, unreadable or empty folders
};

// Files named are taken as they are; folders are walked recursively and give the files whose
// extension marks a text (.txt, .text, .rtf, .rxt, .csv, .tsv, none of them case-sensitive).
CollectedTexts collectTexts(const std::vector<std::string> &paths);

// True for the file names collectTexts takes from a folder.
bool isTextFileName(const std::string &path);

// The text of a file: RTF (recognised by its content) through the RTF reader, anything else
// decoded as plain text. Throws IoError with the path when the file cannot be read, does not
// look like a text, or is an RTF file cut off inside a group.
std::u16string readText(const std::string &path);

} // namespace yuedu::compare
