#include "langdata/languagedata.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#ifdef __unix__
#include <sys/mman.h>
#endif

#include "langdata/big5.h"
#include "langdata/codepage950.h"
#include "langdata/datalayout.h"

#ifndef YUEDU_INSTALL_DATADIR
#define YUEDU_INSTALL_DATADIR "/usr/local/share/yuedu"
#endif
// The installed data folder seen from the installed program's folder, so that a package
// installed under another prefix (a .deb under /usr, a test's temporary prefix) finds its data.
#ifndef YUEDU_INSTALL_DATADIR_FROM_BINDIR
#define YUEDU_INSTALL_DATADIR_FROM_BINDIR "../share/yuedu"
#endif

namespace yuedu {
namespace {

// Copies the next table out of a file image, advancing pos. Returns how many bytes were there.
std::size_t takeTable(std::string_view image, std::size_t &pos, Bytes &table) {
    const std::size_t avail = pos < image.size() ? std::min(table.size(), image.size() - pos) : 0;
    // An empty image has no data pointer to offset.
    if (avail != 0)
        std::memcpy(table.data(), image.data() + pos, avail);
    std::fill(table.begin() + static_cast<std::ptrdiff_t>(avail), table.end(), 0);
    pos += table.size();
    return avail;
}

// What the segmenter relies on in the segmentation dictionary: every index entry either empty
// or pointing at a group that lies inside its table, and the groups of each table side by side
// without overlapping. Anything else (a damaged or random file) reads as fewer or wrong words.
std::string segLayoutProblem(const LanguageData &d) {
    std::size_t outside = 0, overlapping = 0;
    for (const bool aux : {false, true}) {
        const std::uint8_t *entries =
            d.SegIndexTable.data() + (aux ? layout::kSegAuxBlock : std::size_t(0));
        const std::size_t tableSize = aux ? d.SegAuxTable.size() : d.SegWordTable.size();
        std::vector<std::pair<std::size_t, std::size_t>> groups; // [start, end) 0-based
        for (int k = 0; k < kTableChars; ++k) {
            const std::uint8_t *e = entries + 5 * k;
            const std::size_t start = layout::be24(e), length = layout::be16(e + 3);
            if (start == 0 && length == 0)
                continue;
            if (e[0] >= 0x80 || e[3] >= 0x80 || start == 0 || length % 2 != 0 ||
                start - 1 + length > tableSize) {
                ++outside;
                continue;
            }
            if (length != 0)
                groups.emplace_back(start - 1, start - 1 + length);
        }
        std::sort(groups.begin(), groups.end());
        for (std::size_t i = 1; i < groups.size(); ++i)
            overlapping += groups[i].first < groups[i - 1].second;
    }
    if (outside == 0 && overlapping == 0)
        return {};
    return "the segmentation dictionary is damaged (" + std::to_string(outside) +
           " index entries outside their table, " + std::to_string(overlapping) +
           " overlapping groups); words may be missed";
}

void checkLength(LoadReport &report, const char *file, std::string_view image,
                 std::size_t expected) {
    if (image.size() < expected)
        report.problems.push_back({file, "the file is too short (" + std::to_string(image.size()) +
                                             " of " + std::to_string(expected) +
                                             " bytes); the missing part is read as zeros"});
}

} // namespace

std::string LoadReport::text() const {
    std::string out;
    for (const auto &p : problems)
        out += p.file + ": " + p.message + "\n";
    return out;
}

LanguageData::LanguageData()
    : SegIndexTable(layout::kSegIndexSize), SegWordTable(layout::kSegWordSize),
      SegAuxTable(layout::kSegAuxSize), SenseIndexTable(layout::kSenseIndexSize),
      SenseWordTable(layout::kSenseWordSize), CharRecordTable(layout::kCharRecordSize),
      CharDetailTable(layout::kCharDetailSize) {}

LoadReport LanguageData::loadImages(std::string_view gradeFile, std::string_view segFile,
                                    std::string_view senseFile) {
    LoadReport report;
    checkLength(report, kGradeFileName, gradeFile, layout::kGradeFileSize);
    checkLength(report, kSegFileName, segFile, layout::kSegFileSize);
    checkLength(report, kSenseFileName, senseFile, layout::kSenseFileSize);

    const CodePage950 &cp = CodePage950::instance();
    std::size_t pos = 0;
    for (int i = 0; i < 5; ++i) {
        Bytes buffer(layout::kGradeListSizes[i]);
        takeTable(gradeFile, pos, buffer);
        // Zero bytes of a short file would become U+0000 characters; keep only what was read.
        auto end = buffer.end();
        while (end != buffer.begin() && *(end - 1) == 0)
            --end;
        GradeWordLists[i] = cp.decode(
            std::string_view(reinterpret_cast<const char *>(buffer.data()), end - buffer.begin()));
    }

    pos = 0;
    takeTable(segFile, pos, SegIndexTable);
    takeTable(segFile, pos, SegWordTable);
    takeTable(segFile, pos, SegAuxTable);
    // A short file is reported as such; its zero tail is an empty dictionary, not a damaged one.
    if (!segFile.empty())
        if (std::string problem = segLayoutProblem(*this); !problem.empty())
            report.problems.push_back({kSegFileName, std::move(problem)});

    pos = 0;
    takeTable(senseFile, pos, SenseIndexTable);
    takeTable(senseFile, pos, SenseWordTable);
    takeTable(senseFile, pos, CharRecordTable);
    takeTable(senseFile, pos, CharDetailTable);
    return report;
}

namespace {

// A data file's contents, mapped where the system can (no copy, no clearing) and read whole
// otherwise. A file longer than its tables is taken only as far as they go (and one byte more,
// so that the image still counts as long).
class FileImage {
public:
    FileImage() = default;
    FileImage(const FileImage &) = delete;
    FileImage &operator=(const FileImage &) = delete;
    ~FileImage() {
#ifdef __unix__
        if (m_mapped)
            munmap(m_mapped, m_size);
#endif
    }

    // Returns false on a read error.
    bool read(std::FILE *in, std::uintmax_t fileSize) {
        const auto size = static_cast<std::size_t>(std::min<std::uintmax_t>(fileSize, 1 << 21));
#ifdef __unix__
        if (size != 0) {
            void *p = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fileno(in), 0);
            if (p != MAP_FAILED) {
                m_mapped = p;
                m_size = size;
                return true;
            }
        }
#endif
        m_copy.resize(size);
        m_copy.resize(std::fread(m_copy.data(), 1, m_copy.size(), in));
        return std::ferror(in) == 0;
    }

    std::string_view view() const {
        return m_mapped ? std::string_view(static_cast<const char *>(m_mapped), m_size)
                        : std::string_view(m_copy);
    }

private:
    void *m_mapped = nullptr;
    std::size_t m_size = 0;
    std::string m_copy;
};

} // namespace

LoadReport loaddata(const std::filesystem::path &dir, LanguageData &data) {
    LoadReport report;
    FileImage images[3];
    const char *names[3] = {kGradeFileName, kSegFileName, kSenseFileName};
    for (int i = 0; i < 3; ++i) {
        const std::filesystem::path path = dir / names[i];
        std::error_code ec;
        std::unique_ptr<std::FILE, int (*)(std::FILE *)> in(nullptr, std::fclose);
        if (std::filesystem::is_regular_file(path, ec))
            in.reset(std::fopen(path.c_str(), "rb"));
        if (!in) {
            report.problems.push_back({names[i], "cannot be opened (" + path.string() +
                                                     "); its tables are read as zeros"});
            continue;
        }
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        if (ec || !images[i].read(in.get(), size))
            report.problems.push_back({names[i], "read error (" + path.string() + ")"});
    }
    LoadReport sizes = data.loadImages(images[0].view(), images[1].view(), images[2].view());
    for (auto &p : sizes.problems) {
        // A file that could not be opened is already reported; don't call it short as well.
        bool known = std::any_of(report.problems.begin(), report.problems.end(),
                                 [&](const auto &q) { return q.file == p.file; });
        if (!known)
            report.problems.push_back(std::move(p));
    }
    return report;
}

std::filesystem::path findDataDir(const std::filesystem::path &explicitDir,
                                  const std::filesystem::path &exeDir) {
    if (!explicitDir.empty())
        return explicitDir;
    if (const char *env = std::getenv("YUEDU_DATA_DIR"); env && *env)
        return env;
    std::error_code ec;
    if (!exeDir.empty() && std::filesystem::exists(exeDir / kSegFileName, ec))
        return exeDir;
    // Beside the program, where an installed program keeps it, or in the data folder of the
    // build tree it was built in (build/src/cli/yuedu-cli and build/src/app/yuedu find
    // build/data). The installed folder comes before the build tree so that a program under
    // /usr/bin never picks up a stray /data.
    for (const auto &dir :
         {exeDir / "data", (exeDir / YUEDU_INSTALL_DATADIR_FROM_BINDIR).lexically_normal(),
          exeDir.parent_path() / "data", exeDir.parent_path().parent_path() / "data"})
        if (!exeDir.empty() && std::filesystem::exists(dir / kSegFileName, ec))
            return dir;
    return YUEDU_INSTALL_DATADIR;
}

} // namespace yuedu
