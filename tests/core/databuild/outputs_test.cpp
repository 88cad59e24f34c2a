#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/errors.h"
#include "databuild/tablewriter.h"
#include "databuild/textsource.h"

using namespace yuedu;
using namespace yuedu::databuild;
namespace fs = std::filesystem;

namespace {

std::string contentOf(const fs::path &p) {
    return readFileBytes(p);
}

std::string errorOf(const std::function<void()> &f) {
    try {
        f();
    } catch (const IoError &e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(DataOutputs, AFailedOutputLeavesEveryOldFileAndNoTemporaryFile) {
    const fs::path dir = fs::temp_directory_path() / "yuedu-staged-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "a.byt") << "old a";
    std::ofstream(dir / "b.byt") << "old b";
    // The temporary file of b cannot be written (a folder stands in its way).
    fs::create_directories(dir / "b.byt.tmp");
    {
        StagedFiles out;
        out.add(dir / "a.byt", "new a");
        EXPECT_NE(
            errorOf([&] { out.add(dir / "b.byt", "new b"); }).find((dir / "b.byt.tmp").string()),
            std::string::npos);
    }
    EXPECT_EQ(contentOf(dir / "a.byt"), "old a");
    EXPECT_EQ(contentOf(dir / "b.byt"), "old b");
    EXPECT_FALSE(fs::exists(dir / "a.byt.tmp"));

    fs::remove(dir / "b.byt.tmp");
    {
        StagedFiles out;
        out.add(dir / "a.byt", "new a");
        out.add(dir / "b.byt", "new b");
        EXPECT_EQ(contentOf(dir / "a.byt"), "old a"); // nothing lands before the commit
        out.commit();
    }
    EXPECT_EQ(contentOf(dir / "a.byt"), "new a");
    EXPECT_EQ(contentOf(dir / "b.byt"), "new b");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    fs::remove_all(dir);
}

TEST(DataOutputs, SourcesThatCannotBeReadAreNamedWithTheReason) {
    const fs::path dir = fs::temp_directory_path();
    EXPECT_EQ(errorOf([&] { readFileBytes(dir); }), dir.string() + ": is a folder, not a file");
    EXPECT_EQ(errorOf([&] { readFileBytes(dir / "no-such-source.txt"); }),
              (dir / "no-such-source.txt").string() + ": No such file or directory");
}
