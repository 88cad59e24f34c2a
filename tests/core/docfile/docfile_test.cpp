// Reading a document's file and writing it back: the bytes a plain-text file had come back
// unchanged, and a save never loses the old file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/errors.h"
#include "docfile/docfile.h"

using namespace yuedu;
using namespace yuedu::doc;
namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() /
               ("docfile_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter()++));
        fs::create_directories(path);
    }
    ~TempDir() {
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    static int &counter() {
        static int n = 0;
        return n;
    }
};

void writeBytes(const fs::path &p, std::string_view bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

std::string readBytes(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

// Each plain-text form reads and writes back byte for byte: encoding, mark and line ends.
TEST(DocFile, PlainTextFilesComeBackAsTheyWere) {
    const struct {
        const char *name;
        std::string bytes;
        TextEncoding encoding;
        bool bom, crlf;
    } cases[] = {
        {"utf-8 with mark", "\xEF\xBB\xBF\xE5\xA4\xA9\r\n\xE5\x9C\xB0", TextEncoding::Utf8, true,
         true},
        {"utf-8", "\xE5\xA4\xA9\n\xE5\x9C\xB0", TextEncoding::Utf8, false, false},
        {"utf-16le", std::string("\xFF\xFE\x29\x59\x0A\x00\x30\x57", 8), TextEncoding::Utf16LE,
         true, false},
        {"utf-16be crlf", std::string("\xFE\xFF\x59\x29\x00\x0D\x00\x0A\x57\x30", 10),
         TextEncoding::Utf16BE, true, true},
        {"big5 crlf", "\xA4\xD1\r\n\xA6\x61", TextEncoding::Big5, false, true},
    };
    for (const auto &c : cases) {
        TempDir dir;
        const fs::path file = dir.path / "a.txt";
        writeBytes(file, c.bytes);
        const DocumentFile read = readDocumentFile(file.string());
        EXPECT_EQ(read.format.kind, DocumentKind::PlainText) << c.name;
        EXPECT_EQ(read.format.encoding, c.encoding) << c.name;
        EXPECT_EQ(read.format.bom, c.bom) << c.name;
        EXPECT_EQ(read.format.crlf, c.crlf) << c.name;
        EXPECT_EQ(read.content.document.plainText(), u"天\n地") << c.name;
        EXPECT_EQ(encodePlainText(read.content.document.plainText(), read.format), c.bytes)
            << c.name;
    }
}

TEST(DocFile, UnmappedCharactersAreCountedAsCharacters) {
    FileFormat big5;
    big5.kind = DocumentKind::PlainText;
    big5.encoding = TextEncoding::Big5;
    std::size_t unmapped = 0;
    // 𠀀 (beyond the BMP, one character of two units), 丽 (simplified), and an old U+FFFD.
    encodePlainText(u"天\U00020000\u4e3d\uFFFD", big5, &unmapped);
    EXPECT_EQ(unmapped, 2u);
    EXPECT_EQ(characterCount(u"天\U00020000"), 2u);
}

TEST(DocFile, ReadingSaysWhyItFailed) {
    TempDir dir;
    EXPECT_THROW(readDocumentFile(dir.path.string()), IoError); // a folder
    try {
        readDocumentFile((dir.path / "missing.txt").string());
        FAIL();
    } catch (const IoError &e) {
        EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos);
    }
    writeBytes(dir.path / "big.txt", std::string(100, 'x'));
    try {
        readDocumentFile((dir.path / "big.txt").string(), TextEncoding::Auto, 99);
        FAIL();
    } catch (const IoError &e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos);
    }
}

TEST(DocFile, SavingReplacesTheFileAndKeepsItsPermissions) {
    TempDir dir;
    const fs::path file = dir.path / "a.txt";
    writeBytes(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const WriteOutcome outcome = writeFileSafely(file.string(), "new");
    EXPECT_FALSE(outcome.inPlace);
    EXPECT_EQ(readBytes(file), "new");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);

    // A folder where the file should be, and a missing folder: an error, nothing changed.
    fs::create_directory(dir.path / "sub");
    EXPECT_THROW(writeFileSafely((dir.path / "sub").string(), "x"), IoError);
    EXPECT_THROW(writeFileSafely((dir.path / "none" / "a.txt").string(), "x"), IoError);
    EXPECT_TRUE(fs::is_directory(dir.path / "sub"));
}

TEST(DocFile, AWritableFileInAReadOnlyFolderIsWrittenInPlaceAfterABackup) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder";
    TempDir dir, backups;
    const fs::path folder = dir.path / "locked";
    fs::create_directory(folder);
    const fs::path file = folder / "a.txt";
    writeBytes(file, "old");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const WriteOutcome outcome =
        writeFileSafely(file.string(), "new", (backups.path / "saved").string());
    EXPECT_TRUE(outcome.inPlace);
    EXPECT_EQ(readBytes(file), "new");
    ASSERT_FALSE(outcome.backup.empty());
    EXPECT_EQ(readBytes(outcome.backup), "old");
    // A new file cannot go there at all.
    EXPECT_THROW(writeFileSafely((folder / "b.txt").string(), "x"), IoError);
    fs::permissions(folder, fs::perms::owner_all);
}
