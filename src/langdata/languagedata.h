#pragma once
// Every table of the three data files, read whole once at start-up and read-only afterwards.
// Tables keep their exact sizes; what a file does not supply stays zero.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu {

// The memory of a table: one of some size is mapped with all its pages in place at once, which
// costs a fraction of taking them one page fault at a time as the table is first written.
void *allocateTable(std::size_t bytes);
void releaseTable(void *p, std::size_t bytes) noexcept;
template <typename T> struct TableAllocator {
    using value_type = T;
    TableAllocator() = default;
    template <typename U> TableAllocator(const TableAllocator<U> &) noexcept {}
    T *allocate(std::size_t n) { return static_cast<T *>(allocateTable(n * sizeof(T))); }
    void deallocate(T *p, std::size_t n) noexcept { releaseTable(p, n * sizeof(T)); }
    template <typename U> bool operator==(const TableAllocator<U> &) const noexcept { return true; }
};

using Bytes = std::vector<std::uint8_t, TableAllocator<std::uint8_t>>;

// What loaddata found wrong with the files. The tables are usable either way.
struct LoadReport {
    struct Problem {
        std::string file;    // file name, e.g. "dpphvbdn.byt"
        std::string message; // what is wrong, for the user
        std::string zh = {}; // the same in Chinese, for the desktop program
    };
    std::vector<Problem> problems;
    bool ok() const { return problems.empty(); }
    std::string text() const;   // one line per problem
    std::string zhText() const; // one line per problem, in Chinese
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
    // The bytes of every detail record a table character refers to, OR-ed together: which
    // fields the data fills at all. Worked out by loadImages; tables filled by hand leave it
    // unset and it is read from the records when asked (detailBytesInUse).
    std::optional<std::array<std::uint8_t, 44>> DetailBytesInUse;

    // Fills the tables from the contents of the three files (any length: a short image leaves
    // the rest zero, a long one is read only up to the table sizes). Returns the problems found.
    LoadReport loadImages(std::string_view gradeFile, std::string_view segFile,
                          std::string_view senseFile);
    // The same for one file, leaving the tables of the other two as they are.
    LoadReport loadGradeImage(std::string_view gradeFile);
    LoadReport loadSegImage(std::string_view segFile);
    LoadReport loadSenseImage(std::string_view senseFile);
};

// The OR of the detail records in use, read from the tables (what loadImages keeps).
std::array<std::uint8_t, 44> detailBytesInUse(const LanguageData &data);

// File names of the data files.
inline constexpr const char *kGradeFileName = "gdphvbdn.byt";
inline constexpr const char *kSegFileName = "dpphvbdn.byt";
inline constexpr const char *kSenseFileName = "phwdvbdn.byt";
inline constexpr const char *kUserWordFileName = "userword.apd";
// Written by the builder beside the files: the size, SHA-256 and XXH64 of each data file and
// the builder's version, one "name size sha256 xxh64" line a file after a "builder ..." line.
// Manifests of earlier builders have no XXH64; their files are checked by the SHA-256.
inline constexpr const char *kManifestFileName = "manifest.txt";

struct ManifestEntry {
    std::string file;
    std::uintmax_t size = 0;
    std::string sha256;     // lower-case hexadecimal
    std::string xxh64 = {}; // 16 lower-case hexadecimal digits; empty when the manifest has none
};
std::string manifestText(std::string_view builder, const std::vector<ManifestEntry> &entries);
// The entries of a manifest; false when it is not one (the line number in *badLine).
bool parseManifest(std::string_view text, std::vector<ManifestEntry> &entries,
                   std::size_t *badLine = nullptr);

// Reads the three data files from dir into data. A missing data folder, a missing, unreadable,
// short or long file, a file whose content breaks the layout of its tables, and (when the
// folder has a manifest) a file whose size or check sum differs from it are reported; the tables
// of such a file may hold anything, so a report that is not ok() means no analysis can be
// trusted. Loading never throws.
LoadReport loaddata(const std::filesystem::path &dir, LanguageData &data);

// Where the data files are looked for: the explicit folder when given, else YUEDU_DATA_DIR,
// else the folder of the executable (exeDir) or its data folder, else the installed data folder
// relative to exeDir (../share/yuedu), else the data folder of the build tree the executable
// lies in, else the installed data folder of the configured prefix.
std::filesystem::path findDataDir(const std::filesystem::path &explicitDir,
                                  const std::filesystem::path &exeDir);

} // namespace yuedu
