#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "langdata/datalayout.h"
#include "langdata/languagedata.h"

using namespace yuedu;
namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir() {
        m_path =
            fs::temp_directory_path() /
            ("yuedu-langdata-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    const fs::path &path() const { return m_path; }
    void write(const char *name, const std::string &bytes) const {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
    }

private:
    fs::path m_path;
};

std::string pattern(std::size_t size, int seed) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>((i * 7 + seed) % 251 + 1);
    return s;
}

} // namespace

TEST(LoadData, FullFilesFillEveryTableInFileOrder) {
    TempDir dir;
    std::string seg = pattern(layout::kSegFileSize + 100, 3); // a longer file is read only so far
    std::string sense = pattern(layout::kSenseFileSize, 5);
    std::string grade = "\xA4\x40\x35" + std::string(layout::kGradeListSizes[0] - 3, ' ') +
                        std::string(layout::kGradeFileSize - layout::kGradeListSizes[0], ' ');
    dir.write(kGradeFileName, grade);
    dir.write(kSegFileName, seg);
    dir.write(kSenseFileName, sense);

    LanguageData data;
    LoadReport report = loaddata(dir.path(), data);
    // The byte pattern is no sound dictionary layout: that is all there is to report.
    ASSERT_EQ(report.problems.size(), 1u) << report.text();
    EXPECT_EQ(report.problems[0].file, kSegFileName);
    EXPECT_EQ(data.GradeWordLists[0].substr(0, 2), u"一5");
    EXPECT_EQ(data.SegIndexTable.front(), std::uint8_t(seg[0]));
    EXPECT_EQ(data.SegWordTable.front(), std::uint8_t(seg[layout::kSegIndexSize]));
    EXPECT_EQ(data.SegAuxTable.back(), std::uint8_t(seg[layout::kSegFileSize - 1]));
    EXPECT_EQ(data.CharRecordTable.front(),
              std::uint8_t(sense[layout::kSenseIndexSize + layout::kSenseWordSize]));
    EXPECT_EQ(data.CharDetailTable.back(), std::uint8_t(sense.back()));
    EXPECT_EQ(data.CharDetailTable.size(), layout::kCharDetailSize);
}

TEST(LoadData, MissingAndShortFilesAreReportedAndReadAsZeros) {
    TempDir dir;
    dir.write(kSegFileName, pattern(layout::kSegIndexSize + 10, 1)); // ends inside SegWordTable
    LanguageData data;
    LoadReport report = loaddata(dir.path(), data);
    ASSERT_EQ(report.problems.size(), 3u) << report.text();
    EXPECT_EQ(report.problems[0].file, kGradeFileName);
    EXPECT_NE(report.problems[0].message.find("cannot be opened"), std::string::npos);
    EXPECT_EQ(report.problems[2].file, kSegFileName);
    EXPECT_NE(report.problems[2].message.find("too short"), std::string::npos);

    EXPECT_NE(data.SegWordTable[9], 0);
    EXPECT_EQ(data.SegWordTable[10], 0);
    EXPECT_EQ(data.SegAuxTable.size(), layout::kSegAuxSize);
    for (const auto &list : data.GradeWordLists)
        EXPECT_TRUE(list.empty());
    EXPECT_EQ(data.CharRecordTable.size(), layout::kCharRecordSize);
    EXPECT_EQ(data.CharRecordTable[0], 0);
}

TEST(LoadData, AFolderInsteadOfAFileIsReportedNotFatal) {
    TempDir dir;
    fs::create_directories(dir.path() / kSenseFileName);
    LanguageData data;
    LoadReport report = loaddata(dir.path(), data);
    EXPECT_EQ(report.problems.size(), 3u);
    EXPECT_EQ(data.SenseIndexTable.size(), layout::kSenseIndexSize);
}

TEST(FindDataDir, ExplicitFolderThenEnvironmentThenBesideTheProgramThenTheBuildTree) {
    TempDir dir;
    fs::create_directories(dir.path() / "build/src/cli");
    fs::create_directories(dir.path() / "build/data");
    std::ofstream(dir.path() / "build/data" / kSegFileName) << "x";
    const fs::path exe = dir.path() / "build/src/cli";

    ::unsetenv("YUEDU_DATA_DIR");
    EXPECT_EQ(findDataDir("/somewhere", exe), fs::path("/somewhere"));
    EXPECT_EQ(findDataDir("", exe), dir.path() / "build/data");

    std::ofstream(exe / kSegFileName) << "x"; // files beside the program win over the build tree
    EXPECT_EQ(findDataDir("", exe), exe);

    ::setenv("YUEDU_DATA_DIR", "/from/env", 1);
    EXPECT_EQ(findDataDir("", exe), fs::path("/from/env"));
    ::unsetenv("YUEDU_DATA_DIR");
}

TEST(FindDataDir, InstalledProgramFindsTheDataOfItsOwnPrefixBeforeAStrayDataFolder) {
    // <prefix>/bin/yuedu with <prefix>/share/yuedu, and a data/ folder two levels up that the
    // build-tree lookup would otherwise take.
    TempDir dir;
    const fs::path bin = dir.path() / "prefix/bin";
    const fs::path share = dir.path() / "prefix/share/yuedu";
    fs::create_directories(bin);
    fs::create_directories(share);
    fs::create_directories(dir.path() / "data");
    std::ofstream(share / kSegFileName) << "x";
    std::ofstream(dir.path() / "data" / kSegFileName) << "x";
    ::unsetenv("YUEDU_DATA_DIR");
    EXPECT_EQ(findDataDir("", bin), share);
}
