#pragma once
// Every table of the three data files, read whole once at start-up and read-only afterwards.
// Tables keep their exact sizes; what a file does not supply stays zero.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu {

using Bytes = std::vector<std::uint8_t>;

// What loaddata found wrong with the files. The tables are usable either way.
struct LoadReport {
    struct Problem {
        std::string file;    // file name, e.g. "dpphvbdn.byt"
        std::string message; // what is wrong, for the user
    };
    std::vector<Problem> problems;
    bool ok() const { return problems.empty(); }
    std::string text() const; // one line per problem
};

class LanguageData {
public:
    LanguageData(); // all tables zero-filled, grade lists empty

    // Vocabulary grade lists 1..5 (index 0..4), each converted from code page 950 as a whole.
    std::array<std::u16string, 5> GradeWordLists;

    Bytes SegIndexTable; // 130600
    Bytes SegWordTable;  // 207388
    Bytes SegAuxTable;   // 408242

    Bytes SenseIndexTable; // 222020
    Bytes SenseWordTable;  // 272154
    Bytes CharRecordTable; // 52240
    Bytes CharDetailTable; // 306578

    // Fills the tables from the contents of the three files (any length: a short image leaves
    // the rest zero, a long one is read only up to the table sizes). Returns the problems found.
    LoadReport loadImages(std::string_view gradeFile, std::string_view segFile,
                          std::string_view senseFile);
};

// File names of the data files.
inline constexpr const char *kGradeFileName = "gdphvbdn.byt";
inline constexpr const char *kSegFileName = "dpphvbdn.byt";
inline constexpr const char *kSenseFileName = "phwdvbdn.byt";
inline constexpr const char *kUserWordFileName = "userword.apd";

// Reads the three data files from dir into data. A missing, unreadable or short file is
// reported and its tables (or their tails) stay zero-filled; loading never throws.
LoadReport loaddata(const std::filesystem::path &dir, LanguageData &data);

// Where the data files are looked for: the explicit folder when given, else YUEDU_DATA_DIR,
// else the folder of the executable (exeDir) or its data folder, else the installed data folder
// relative to exeDir (../share/yuedu), else the data folder of the build tree the executable
// lies in, else the installed data folder of the configured prefix.
std::filesystem::path findDataDir(const std::filesystem::path &explicitDir,
                                  const std::filesystem::path &exeDir);

} // namespace yuedu
