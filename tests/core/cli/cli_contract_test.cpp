// The contract every yuedu-cli subcommand keeps: output that cannot be written, an unknown
// option, a folder or a missing file is a failure with a message, never a silent exit 0.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/version.h"
#include "runprocess.h"

using yuedu::test::readWholeFile;
using yuedu::test::runProcess;

namespace {

namespace fs = std::filesystem;

// The subcommands as the program lists them, so a new one is covered without an edit here.
std::vector<std::string> subcommands(const fs::path &scratch) {
    const fs::path out = scratch / "help.txt";
    EXPECT_EQ(runProcess({YUEDU_CLI, "--help"}, out.string()).status, 0);
    std::istringstream help(readWholeFile(out.string()));
    std::vector<std::string> names;
    bool listing = false;
    for (std::string line; std::getline(help, line);) {
        if (line == "commands:")
            listing = true;
        else if (listing && line.rfind("  ", 0) == 0 && line[2] != ' ')
            names.push_back(line.substr(2, line.find(' ', 2) - 2));
        else if (listing && line.empty())
            break;
    }
    return names;
}

// What a command needs before its texts: the word the corpus commands look up, the reference
// table of keywords.
std::vector<std::string> leading(const std::string &name, const fs::path &scratch) {
    if (name == "concord" || name == "collocates")
        return {"我們"};
    if (name == "keywords")
        return {"--reference", (scratch / "reference.tsv").string()};
    return {};
}

// The corpus commands, like compare, read the texts of the folders they are given.
bool takesFolders(const std::string &name) {
    return name == "compare" || name == "concord" || name == "ngrams" || name == "collocates" ||
           name == "keywords";
}

std::vector<std::string> command(std::vector<std::string> head,
                                 const std::vector<std::string> &lead,
                                 std::vector<std::string> tail) {
    head.insert(head.end(), lead.begin(), lead.end());
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

class CliContract : public ::testing::Test {
protected:
    void SetUp() override {
        scratch =
            fs::temp_directory_path() / ("yuedu-cli-test-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(scratch);
        input = (scratch / "segmented.txt").string();
        std::ofstream(input) << "今天  天氣  很好  ，  我們  去  公園  。  \r\n";
        std::ofstream(scratch / "reference.tsv") << "我們\t3\t50.00\t1\n公園\t3\t50.00\t2\n";
        // The corpus commands keep what they segment: here, not in the user's cache.
        ::setenv("YUEDU_CACHE_DIR", (scratch / "cache").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(scratch); }
    fs::path scratch;
    std::string input;
};

TEST_F(CliContract, EverySubcommandFailsLoudly) {
    const std::string out = (scratch / "out.txt").string();
    const std::string data = "--data-dir=" YUEDU_TEST_DATA_DIR;
    const auto names = subcommands(scratch);
    ASSERT_GE(names.size(), 8u);
    for (const std::string &name : names) {
        SCOPED_TRACE(name);
        // The control: the same run into a file succeeds and writes something.
        const auto lead = leading(name, scratch);
        auto r = runProcess(command({YUEDU_CLI, name, data}, lead, {input}), out);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_FALSE(readWholeFile(out).empty());

        r = runProcess(command({YUEDU_CLI, name, data}, lead, {input}), "/dev/full");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;

        r = runProcess(command({YUEDU_CLI, name, data, "--no-such-option"}, lead, {input}), out);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("unknown option '--no-such-option'"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("usage: yuedu-cli " + name), std::string::npos) << r.err;

        if (!takesFolders(name)) {
            r = runProcess(command({YUEDU_CLI, name, data}, lead, {scratch.string()}), out);
            EXPECT_EQ(r.status, 1);
            EXPECT_NE(r.err.find(scratch.string() + ": is a folder"), std::string::npos) << r.err;
        }

        const std::string missing = (scratch / "missing.txt").string();
        r = runProcess(command({YUEDU_CLI, name, data}, lead, {missing}), out);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(missing + ": No such file or directory"), std::string::npos) << r.err;

        r = runProcess({YUEDU_CLI, name, "--help"}, out);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(readWholeFile(out).rfind("usage: yuedu-cli " + name + " ", 0), 0u);
    }
}

TEST_F(CliContract, MisspeltOrMisusedOptionsAreErrors) {
    const std::string out = (scratch / "out.txt").string();
    const std::vector<std::vector<std::string>> misuses = {
        {"profile", "--dialog"}, {"profile", "--poetry=1"}, {"grades", "--tree=yes"},
        {"segment", "-x"},       {"evalseg", "--show=1"},   {"profile", "--encoding=latin1"},
    };
    for (const auto &m : misuses) {
        SCOPED_TRACE(m[0] + " " + m[1]);
        const auto r = runProcess({YUEDU_CLI, m[0], m[1], input}, out);
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    const auto r = runProcess({YUEDU_CLI, "--version"}, out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(readWholeFile(out), std::string("yuedu-cli ") + yuedu::kVersion + "\n");
}

TEST_F(CliContract, DecodingThatNeededReplacementsIsWarnedAbout) {
    const std::string out = (scratch / "out.txt").string();
    const std::string cut = (scratch / "cut.txt").string();
    // A UTF-8 text cut inside its last character.
    std::ofstream(cut, std::ios::binary) << "今天  天氣  很好  \xE5\xAD";
    const auto r = runProcess({YUEDU_CLI, "freq", cut}, out);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find(cut + ": read as UTF-8; 2 invalid byte sequences"), std::string::npos)
        << r.err;
    EXPECT_NE(readWholeFile(out).find("天氣\t1"), std::string::npos);
}

// Word, OpenDocument, EPUB and HTML files written by pandoc give every command the same output
// as the plain text they were made from; the PDF LibreOffice made of it the same profile. A
// document that cannot be read fails every command with its path and the reason.
TEST_F(CliContract, EveryTextCommandReadsTheOtherDocumentFormats) {
    const std::string dir = YUEDU_FORMATS_DIR;
    const std::string data = "--data-dir=" YUEDU_TEST_DATA_DIR;
    const std::string out = (scratch / "out.txt").string();
    const auto outputOf = [&](const std::string &name, const std::string &file) {
        const auto r =
            runProcess(command({YUEDU_CLI, name, data}, leading(name, scratch), {file}), out);
        EXPECT_EQ(r.status, 0) << r.err;
        std::string text = readWholeFile(out);
        for (std::size_t at; (at = text.find(file)) != std::string::npos;)
            text.replace(at, file.size(), "TEXT");
        if (name == "compare") {
            // Its last column says how each file was read, which is its format.
            std::string kept;
            std::istringstream lines(text);
            for (std::string line; std::getline(lines, line);)
                kept += line.substr(0, line.rfind('\t')) + "\n";
            text = kept;
        }
        return text;
    };
    for (const std::string &name : subcommands(scratch)) {
        if (name == "evalseg") // its input is a segmented reference, not a text
            continue;
        SCOPED_TRACE(name);
        const std::string source = outputOf(name, dir + "/source.txt");
        for (const char *file : {"pandoc.docx", "pandoc.odt", "pandoc.epub", "pandoc.html"})
            EXPECT_EQ(outputOf(name, dir + "/" + file), source) << file;
        const std::string locked = dir + "/libreoffice_password.pdf";
        const auto r =
            runProcess(command({YUEDU_CLI, name, data}, leading(name, scratch), {locked}), out);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(locked + ": PDF 有密碼保護"), std::string::npos) << r.err;
    }
    const auto lengthFigures = [](const std::string &profile) {
        std::istringstream lines(profile);
        std::string figures;
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with("全文長") || line.starts_with("字別數"))
                figures += line + "\n";
        return figures;
    };
    const std::string figures = lengthFigures(outputOf("profile", dir + "/source.txt"));
    EXPECT_NE(figures.find("字別數"), std::string::npos) << figures; // both lines are there
    EXPECT_EQ(lengthFigures(outputOf("profile", dir + "/libreoffice.pdf")), figures);
}

} // namespace
