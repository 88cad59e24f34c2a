// Texts as they come from real files and data as it may be found on a machine: line ends of
// any kind, hand-segmented lines, hanzi beyond Big5, files that are no text, and missing or
// damaged data files. Each gives the right figures or a failure that says why.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "runprocess.h"

using yuedu::test::readWholeFile;
using yuedu::test::runProcess;

namespace {

namespace fs = std::filesystem;

class CliEdges : public ::testing::Test {
protected:
    void SetUp() override {
        scratch =
            fs::temp_directory_path() / ("yuedu-cli-edges-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(scratch);
        out = (scratch / "out.txt").string();
    }
    void TearDown() override { fs::remove_all(scratch); }
    std::string write(const std::string &name, const std::string &bytes) {
        const std::string path = (scratch / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // The output of a run that must succeed.
    std::string run(const std::vector<std::string> &argv) {
        const auto r = runProcess(argv, out);
        EXPECT_EQ(r.status, 0) << r.err;
        return readWholeFile(out);
    }
    fs::path scratch;
    std::string out;
    const std::string data = "--data-dir=" YUEDU_TEST_DATA_DIR;
};

std::string withLineEnds(std::string text, const std::string &end) {
    std::string result;
    for (char c : text)
        result += c == '\n' ? end : std::string(1, c);
    return result;
}

TEST_F(CliEdges, LineEndsNeverChangeAFigure) {
    // Marks at the start of a line are where a lone LF or CR used to hide a sentence end.
    const std::string text = "我們去公園\n。大家都很高興\n！今天天氣很好，\n「天地」\n人\n";
    const std::string crlf = write("crlf.txt", withLineEnds(text, "\r\n"));
    for (const char *command : {"profile", "segment", "attrs", "charprofile"}) {
        SCOPED_TRACE(command);
        const std::string expected = run({YUEDU_CLI, command, data, crlf});
        EXPECT_FALSE(expected.empty());
        for (const char *end : {"\n", "\r"})
            EXPECT_EQ(run({YUEDU_CLI, command, data, write("other.txt", withLineEnds(text, end))}),
                      expected);
    }
    EXPECT_NE(run({YUEDU_CLI, "profile", data, crlf}).find("句子數﹦ 2\n"), std::string::npos);
}

TEST_F(CliEdges, HandSegmentedLinesCountEveryWord) {
    // The last line has no line end, and its last word is one character.
    const std::string hand = write("hand.txt", "今天  天氣  很好\r\n我們  一起  去\n公園  看  花\r"
                                               "大家  高興  吧");
    const auto r = runProcess({YUEDU_CLI, "freq", hand}, out);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("12 words, 12 distinct"), std::string::npos) << r.err;
    for (const char *word : {"很好\t", "去\t", "花\t", "吧\t"})
        EXPECT_NE(readWholeFile(out).find(std::string("\n") + word), std::string::npos) << word;
}

TEST_F(CliEdges, HanziBeyondBig5AreCountedAndSaid) {
    // 邨 and 嘅 are not in code page 950; 𠀋 lies beyond the BMP; 〇, the zero of years in
    // hanzi, is neither a Big5 character nor a unified ideograph, yet a hanzi like them.
    const std::string text = write("hk.txt", "我住在邨裡，嘅𠀋〇。\r\n");
    auto r = runProcess({YUEDU_CLI, "profile", data, text}, out);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(readWholeFile(out).find("全文長﹦ 8\n字別數﹦ 8\n"), std::string::npos)
        << readWholeFile(out);
    EXPECT_NE(r.err.find("4 hanzi (4 distinct) have no record"), std::string::npos) << r.err;
    const std::string segmented = run({YUEDU_CLI, "segment", data, text});
    for (const char *ch : {"邨  ", "嘅  ", "𠀋  ", "〇  "})
        EXPECT_NE(segmented.find(ch), std::string::npos) << segmented;
}

TEST_F(CliEdges, SegmentedTextHoldsEveryCharacterWhereverItFalls) {
    // Hanzi of three bytes, and one of four (two UTF-16 units) at every place in a run of them,
    // so that it falls in every position of the blocks the output is written in.
    std::string line;
    for (int k = 0; k < 40; ++k) {
        for (int i = 0; i < k; ++i)
            line += i % 3 == 0 ? "天氣" : "很";
        line += "𠀋";
    }
    const std::string segmented = run({YUEDU_CLI, "segment", data, write("long.txt", line)});
    std::string joined;
    for (std::size_t i = 0; i < segmented.size(); ++i)
        if (segmented[i] != ' ' && segmented[i] != '\r' && segmented[i] != '\n')
            joined += segmented[i];
    EXPECT_EQ(joined, line);
}

TEST_F(CliEdges, MissingOrDamagedDataIsAFailureNamingTheFile) {
    const fs::path dir = scratch / "data";
    fs::create_directories(dir);
    for (const char *f : {"gdphvbdn.byt", "dpphvbdn.byt", "phwdvbdn.byt", "manifest.txt"})
        fs::copy_file(fs::path(YUEDU_TEST_DATA_DIR) / f, dir / f);
    const std::string text = write("story.txt", "今天天氣很好。\r\n");
    const auto fails = [&](const std::string &what) {
        for (const char *command : {"profile", "segment"}) {
            const auto r =
                runProcess({YUEDU_CLI, command, "--data-dir=" + dir.string(), text}, out);
            EXPECT_EQ(r.status, 1) << command;
            EXPECT_TRUE(readWholeFile(out).empty()) << command << ": no figures from bad tables";
            EXPECT_NE(r.err.find(what), std::string::npos) << command << ": " << r.err;
        }
    };
    run({YUEDU_CLI, "profile", "--data-dir=" + dir.string(), text}); // the control

    // One changed byte that keeps every table's layout: only the manifest tells.
    std::string sense = readWholeFile((dir / "phwdvbdn.byt").string());
    sense[sense.size() - 3] ^= 1;
    std::ofstream(dir / "phwdvbdn.byt", std::ios::binary) << sense;
    fails((dir / "phwdvbdn.byt").string() + ": has changed since it was built");
    // Without the manifest a file that breaks its layout is still found.
    fs::remove(dir / "manifest.txt");
    std::ofstream(dir / "dpphvbdn.byt", std::ios::binary) << std::string(746230, '\xFF');
    fails((dir / "dpphvbdn.byt").string() + ": the segmentation dictionary is damaged");
    fs::remove(dir / "dpphvbdn.byt");
    fails((dir / "dpphvbdn.byt").string() + ": is missing");
    const auto r = runProcess(
        {YUEDU_CLI, "profile", "--data-dir=" + (scratch / "nowhere").string(), text}, out);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find((scratch / "nowhere").string() + ": the data folder does not exist"),
              std::string::npos)
        << r.err;
}

TEST_F(CliEdges, UserWordsThatCannotBeReadAreAFailure) {
    const fs::path dir = scratch / "data";
    fs::create_directories(dir);
    for (const char *f : {"gdphvbdn.byt", "dpphvbdn.byt", "phwdvbdn.byt", "manifest.txt"})
        fs::copy_file(fs::path(YUEDU_TEST_DATA_DIR) / f, dir / f);
    const std::string text = write("story.txt", "今天天氣很好。\r\n");
    const std::string dataDir = "--data-dir=" + dir.string();
    run({YUEDU_CLI, "segment", dataDir, text}); // none at all: no user words
    fs::create_directory(dir / "userword.apd");
    auto r = runProcess({YUEDU_CLI, "segment", dataDir, text}, out);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("userword.apd: is not a file"), std::string::npos) << r.err;
    fs::remove(dir / "userword.apd");
    std::ofstream(dir / "userword.apd", std::ios::binary) << std::string("\0\x01\x02\xFF\0", 5);
    r = runProcess({YUEDU_CLI, "segment", dataDir, text}, out);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("userword.apd: does not look like a text file"), std::string::npos)
        << r.err;
}

TEST_F(CliEdges, OneExitCodeContract) {
    const std::string story = write("story.txt", "今天  天氣  很好  \r\n");
    // Usage errors are 2.
    for (const std::vector<std::string> &argv :
         std::vector<std::vector<std::string>>{{"compare", data, "--jobs", "0", story},
                                               {"compare", data, "--format", "xml", story},
                                               {"compare", data},
                                               {"evalseg", data},
                                               {"evalseg", data, story, story},
                                               {"freq", "--merge"}}) {
        std::vector<std::string> full = {YUEDU_CLI};
        full.insert(full.end(), argv.begin(), argv.end());
        const auto r = runProcess(full, out);
        EXPECT_EQ(r.status, 2) << argv[0] << " " << argv.back() << ": " << r.err;
        EXPECT_NE(r.err.find("usage: yuedu-cli " + argv[0]), std::string::npos) << r.err;
    }
    // Help and version that cannot be written are failures.
    EXPECT_EQ(runProcess({YUEDU_CLI, "--help"}, "/dev/full").status, 1);
    EXPECT_EQ(runProcess({YUEDU_CLI, "--version"}, "/dev/full").status, 1);
    // A file that is no text fails every command with its reason; --encoding still reads it.
    const std::string binary = write("image.bin", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) +
                                                      std::string(64, '\0'));
    const std::string empty = write("empty.txt", "");
    for (const char *command :
         {"segment", "profile", "attrs", "charprofile", "freq", "grades", "senses"}) {
        SCOPED_TRACE(command);
        auto r = runProcess({YUEDU_CLI, command, data, binary}, out);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(binary + ": does not look like a text file"), std::string::npos)
            << r.err;
        r = runProcess({YUEDU_CLI, command, data, "--encoding=big5", binary}, out);
        EXPECT_EQ(r.err.find("is no format Yuedu reads"), std::string::npos) << r.err;
        // Nothing to analyse is one failure for all.
        EXPECT_EQ(runProcess({YUEDU_CLI, command, data, empty}, out).status, 1);
    }
}

} // namespace
