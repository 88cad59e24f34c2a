#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>

#include "common/nearlysorted.h"
#include "langdata/datalayout.h"
#include "langdata/languagedata.h"
#include "langdata/sha256.h"
#include "langdata/xxhash64.h"

using namespace yuedu;
namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir() {
        m_path = fs::temp_directory_path() /
                 ("yuedu-langdata-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
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
    // The byte pattern is no sound layout of the dictionary nor of the character tables, and the
    // seg file is too long: the grade file alone is sound.
    ASSERT_FALSE(report.ok());
    for (const auto &p : report.problems)
        EXPECT_NE(p.file, kGradeFileName) << report.text();
    EXPECT_EQ(data.GradeWordLists[0].substr(0, 2), u"一5");
    EXPECT_EQ(data.SegIndexTable.front(), std::uint8_t(seg[0]));
    EXPECT_EQ(data.SegWordTable.front(), std::uint8_t(seg[layout::kSegIndexSize]));
    EXPECT_EQ(data.SegAuxTable.back(), std::uint8_t(seg[layout::kSegFileSize - 1]));
    EXPECT_EQ(data.CharRecordTable.front(),
              std::uint8_t(sense[layout::kSenseIndexSize + layout::kSenseWordSize]));
    EXPECT_EQ(data.CharDetailTable.back(), std::uint8_t(sense.back()));
    EXPECT_EQ(data.CharDetailTable.size(), layout::kCharDetailSize);
}

// Loaded tables show the files rather than copy them: a copy must outlive the original, and
// writing to a table must change that table alone, never the file or another copy.
TEST(LoadData, TablesShowingTheFilesOutliveTheirLoaderAndCopyOnWrite) {
    TempDir dir;
    const std::string seg = pattern(layout::kSegFileSize, 3);
    dir.write(kGradeFileName, std::string(layout::kGradeFileSize, '\0'));
    dir.write(kSegFileName, seg);
    dir.write(kSenseFileName, pattern(layout::kSenseFileSize, 5));
    auto loaded = std::make_unique<LanguageData>();
    (void)loaddata(dir.path(), *loaded);
    ASSERT_TRUE(loaded->SegWordTable.showsFile());
    LanguageData copy = *loaded;
    LanguageData assigned;
    assigned = *loaded;
    loaded.reset();
    const std::size_t last = layout::kSegWordSize - 1;
    const auto expected = std::uint8_t(seg[layout::kSegIndexSize + last]);
    ASSERT_EQ(std::as_const(copy).SegWordTable[last], expected);
    copy.SegWordTable[last] = std::uint8_t(expected + 1);
    EXPECT_EQ(std::as_const(copy).SegWordTable[last], std::uint8_t(expected + 1));
    EXPECT_EQ(std::as_const(assigned).SegWordTable[last], expected);
    LanguageData again;
    (void)loaddata(dir.path(), again);
    EXPECT_EQ(std::as_const(again).SegWordTable[last], expected);
}

TEST(LoadData, MissingAndShortFilesAreReportedAndReadAsZeros) {
    TempDir dir;
    dir.write(kSegFileName, pattern(layout::kSegIndexSize + 10, 1)); // ends inside SegWordTable
    LanguageData data;
    LoadReport report = loaddata(dir.path(), data);
    ASSERT_EQ(report.problems.size(), 3u) << report.text();
    EXPECT_EQ(report.problems[0].file, kGradeFileName);
    EXPECT_NE(report.problems[0].message.find("is missing"), std::string::npos);
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

// Both ways of computing it: the processor's instructions (where it has them) and plain code.
class Sha256Test : public ::testing::TestWithParam<bool> {
protected:
    std::string hex(std::string_view bytes) {
        Sha256 h(GetParam());
        h.update(bytes);
        return h.hex();
    }
};
INSTANTIATE_TEST_SUITE_P(HardwareOrNot, Sha256Test, ::testing::Bool());

TEST_P(Sha256Test, FipsTestVectors) {
    EXPECT_EQ(hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(hex("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopq"
                  "klmnopqrlmnopqrsmnopqrstnopqrstu"),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    // A million 'a', fed in pieces that straddle the 64-byte blocks.
    Sha256 h(GetParam());
    const std::string as(1000, 'a');
    const std::size_t sizes[] = {1, 63, 64, 65, 127, 999};
    for (std::size_t fed = 0, k = 0; fed < 1000000; ++k) {
        const std::size_t n = std::min<std::size_t>(sizes[k % 6], 1000000 - fed);
        h.update(std::string_view(as).substr(0, n));
        fed += n;
    }
    EXPECT_EQ(h.hex(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(SortNearlySorted, SortsWhateverTheOrder) {
    // In order, a spike, a dip, runs moved about, reversed, and random: always std::sort's order.
    std::vector<std::vector<int>> cases = {{},
                                           {1},
                                           {1, 2, 3, 4},
                                           {1, 9, 2, 3, 4},
                                           {1, 2, 0, 3, 4},
                                           {5, 6, 7, 1, 2, 3},
                                           {4, 3, 2, 1},
                                           {2, 2, 1, 1, 3, 0}};
    std::uint32_t seed = 7;
    for (int n = 0; n < 20; ++n) {
        std::vector<int> v;
        for (int i = 0; i < 50; ++i)
            v.push_back(i % 7 == 3 ? static_cast<int>((seed = seed * 1103515245 + 12345) >> 20) % 60
                                   : i);
        cases.push_back(v);
    }
    for (auto v : cases) {
        std::vector<int> expected = v;
        std::sort(expected.begin(), expected.end());
        sortNearlySorted(v, std::less<>());
        EXPECT_EQ(v, expected);
    }
}

TEST(Xxh64, ReferenceValues) {
    // The empty input, a tail alone, and stripes of 32 bytes with every kind of tail after them.
    EXPECT_EQ(xxh64Hex(""), "ef46db3751d8e999");
    EXPECT_EQ(xxh64Hex("abc"), "44bc2cf5ad770999");
    std::string bytes;
    for (int i = 0; i < 3 * 256; ++i)
        bytes += static_cast<char>(i);
    EXPECT_EQ(xxh64Hex(bytes + "xyz"), "e921a1b45bd779f8");
}

TEST(LoadData, TheManifestCatchesAChangeTheLayoutCannot) {
    TempDir dir;
    // Zero tables are a sound layout (an empty dictionary, records without figures).
    const std::string grade(layout::kGradeFileSize, '\0');
    const std::string seg(layout::kSegFileSize, '\0');
    std::string sense(layout::kSenseFileSize, '\0');
    dir.write(kGradeFileName, grade);
    dir.write(kSegFileName, seg);
    dir.write(kSenseFileName, sense);
    LanguageData data;
    EXPECT_TRUE(loaddata(dir.path(), data).ok()) << "no manifest: the layout checks alone";

    dir.write(kManifestFileName,
              manifestText("test", {{kGradeFileName, grade.size(), sha256Hex(grade)},
                                    {kSegFileName, seg.size(), sha256Hex(seg)},
                                    {kSenseFileName, sense.size(), sha256Hex(sense)}}));
    EXPECT_TRUE(loaddata(dir.path(), data).ok());

    sense[layout::kSenseFileSize - 1] = 1; // a detail byte: any value is a sound layout
    dir.write(kSenseFileName, sense);
    LoadReport report = loaddata(dir.path(), data);
    ASSERT_EQ(report.problems.size(), 1u) << report.text();
    EXPECT_EQ(report.problems[0].file, kSenseFileName);
    EXPECT_NE(report.problems[0].message.find("SHA-256"), std::string::npos);
    EXPECT_FALSE(report.problems[0].zh.empty());

    // The builder's manifest: the XXH64 tells the same change.
    const std::string before(layout::kSenseFileSize, '\0');
    dir.write(kManifestFileName,
              manifestText("test",
                           {{kGradeFileName, grade.size(), sha256Hex(grade), xxh64Hex(grade)},
                            {kSegFileName, seg.size(), sha256Hex(seg), xxh64Hex(seg)},
                            {kSenseFileName, sense.size(), sha256Hex(before), xxh64Hex(before)}}));
    report = loaddata(dir.path(), data);
    ASSERT_EQ(report.problems.size(), 1u) << report.text();
    EXPECT_EQ(report.problems[0].file, kSenseFileName);
    EXPECT_NE(report.problems[0].message.find("XXH64"), std::string::npos);
    dir.write(kSenseFileName, before);
    EXPECT_TRUE(loaddata(dir.path(), data).ok());

    dir.write(kManifestFileName, "builder test\ngdphvbdn.byt 12 nothex\n");
    report = loaddata(dir.path(), data);
    ASSERT_EQ(report.problems.size(), 1u) << report.text();
    EXPECT_EQ(report.problems[0].file, kManifestFileName);
    EXPECT_NE(report.problems[0].message.find("line 2"), std::string::npos);
}

TEST(LoadData, AMissingFolderIsOneProblemNamingIt) {
    LanguageData data;
    const fs::path nowhere = fs::temp_directory_path() / "yuedu-no-such-data-folder";
    const LoadReport report = loaddata(nowhere, data);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].file, nowhere.string());
}
