#pragma once
// Every table of the three data files, read whole once at start-up and read-only afterwards.
// Tables keep their exact sizes; what a file does not supply stays zero.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu {

// The bytes of one table, of a size fixed when it is made. A table either has memory of its
// own (zero until written) or shows a stretch of a data file mapped read-only, which costs
// neither a copy nor fresh pages; writing to such a table (through a non-const accessor) first
// gives it a copy of its own. Copies of a table that shows a file show the same file.
class Bytes {
public:
    Bytes() = default;
    explicit Bytes(std::size_t size);
    Bytes(const Bytes &other);
    Bytes(Bytes &&other) noexcept;
    Bytes &operator=(const Bytes &other);
    Bytes &operator=(Bytes &&other) noexcept;
    ~Bytes();

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const std::uint8_t *data() const { return m_data; }
    std::uint8_t *data() {
        if (m_file)
            own();
        return m_data;
    }
    const std::uint8_t *begin() const { return m_data; }
    const std::uint8_t *end() const { return m_data + m_size; }
    std::uint8_t *begin() { return data(); }
    std::uint8_t *end() { return data() + m_size; }
    const std::uint8_t &operator[](std::size_t i) const { return m_data[i]; }
    std::uint8_t &operator[](std::size_t i) { return data()[i]; }
    const std::uint8_t &front() const { return m_data[0]; }
    const std::uint8_t &back() const { return m_data[m_size - 1]; }
    const std::uint8_t &at(std::size_t i) const;
    std::uint8_t &at(std::size_t i);

    // Shows size() bytes of a file's contents from bytes on, which file keeps in memory.
    void show(std::shared_ptr<const void> file, const std::uint8_t *bytes);
    // Whether the table shows a file rather than memory of its own.
    bool showsFile() const { return m_file != nullptr; }

private:
    void own();
    void release() noexcept;

    std::uint8_t *m_data = nullptr;
    std::size_t m_size = 0;
    std::shared_ptr<const void> m_file; // set while the table shows a file
};

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
    // With a keeper, an image lies in memory that the keeper keeps, and the tables of an image of
    // the right size show it rather than copy it.
    LoadReport loadImages(std::string_view gradeFile, std::string_view segFile,
                          std::string_view senseFile,
                          const std::shared_ptr<const void> &segKeeper = nullptr,
                          const std::shared_ptr<const void> &senseKeeper = nullptr);
    // The same for one file, leaving the tables of the other two as they are.
    LoadReport loadGradeImage(std::string_view gradeFile);
    LoadReport loadSegImage(std::string_view segFile,
                            const std::shared_ptr<const void> &keeper = nullptr);
    LoadReport loadSenseImage(std::string_view senseFile,
                              const std::shared_ptr<const void> &keeper = nullptr);
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
