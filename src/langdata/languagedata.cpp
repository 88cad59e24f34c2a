#include "langdata/languagedata.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "langdata/codepage950.h"
#include "langdata/datalayout.h"

#ifndef YUEDU_INSTALL_DATADIR
#define YUEDU_INSTALL_DATADIR "/usr/local/share/yuedu"
#endif

namespace yuedu {
namespace {

// Copies the next table out of a file image, advancing pos. Returns how many bytes were there.
std::size_t takeTable(std::string_view image, std::size_t &pos, Bytes &table) {
    std::size_t avail = pos < image.size() ? std::min(table.size(), image.size() - pos) : 0;
    if (avail > 0) // an empty image has no data pointer to offset
        std::copy_n(reinterpret_cast<const std::uint8_t *>(image.data()) + pos, avail,
                    table.begin());
    pos += table.size();
    return avail;
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

    pos = 0;
    takeTable(senseFile, pos, SenseIndexTable);
    takeTable(senseFile, pos, SenseWordTable);
    takeTable(senseFile, pos, CharRecordTable);
    takeTable(senseFile, pos, CharDetailTable);
    return report;
}

LoadReport loaddata(const std::filesystem::path &dir, LanguageData &data) {
    LoadReport report;
    std::string images[3];
    const char *names[3] = {kGradeFileName, kSegFileName, kSenseFileName};
    for (int i = 0; i < 3; ++i) {
        std::filesystem::path path = dir / names[i];
        std::error_code ec;
        std::ifstream in;
        if (std::filesystem::is_regular_file(path, ec))
            in.open(path, std::ios::binary);
        if (!in.is_open()) {
            report.problems.push_back({names[i], "cannot be opened (" + path.string() +
                                                     "); its tables are read as zeros"});
            continue;
        }
        try {
            images[i].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        } catch (const std::exception &) {
            in.setstate(std::ios::badbit);
        }
        if (in.bad())
            report.problems.push_back({names[i], "read error (" + path.string() + ")"});
    }
    LoadReport sizes = data.loadImages(images[0], images[1], images[2]);
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
    // Beside the program, or in the data folder of the build tree it was built in
    // (build/src/cli/yuedu-cli and build/src/app/yuedu find build/data).
    for (const auto &dir : {exeDir / "data", exeDir.parent_path() / "data",
                            exeDir.parent_path().parent_path() / "data"})
        if (!exeDir.empty() && std::filesystem::exists(dir / kSegFileName, ec))
            return dir;
    return YUEDU_INSTALL_DATADIR;
}

} // namespace yuedu
