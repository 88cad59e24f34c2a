#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <zip.h>

#include "common/errors.h"
#include "docfile/documentformats.h"
#include "docfile/documentreader.h"
#include "docfile/zipcontainer.h"
#include "langdata/textcodec.h"

using namespace yuedu;
using namespace yuedu::doc;

namespace {

std::string fixture(const std::string &name) {
    return readFileBytes(std::string(DOCFILE_TEST_DATA) + "/formats/" + name);
}

// The source text as the readers give it: one line a paragraph, no blank lines.
std::u16string sourceParagraphs() {
    std::u16string text = fromUtf8(fixture("source.txt")), out;
    for (std::size_t start = 0; start < text.size();) {
        auto end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        if (end > start)
            out += (out.empty() ? u"" : u"\n") + text.substr(start, end - start);
        start = end + 1;
    }
    return out;
}

std::u16string hanziOf(std::u16string_view text) {
    std::u16string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [](char16_t c) { return c >= 0x4E00 && c <= 0x9FFF; });
    return out;
}

// Length of the longest common subsequence: the hanzi that came through in order.
std::size_t inOrder(std::u16string_view a, std::u16string_view b) {
    std::vector<std::size_t> row(b.size() + 1, 0);
    for (char16_t x : a) {
        std::size_t diagonal = 0;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = x == b[j - 1] ? diagonal + 1 : std::max(row[j], row[j - 1]);
            diagonal = above;
        }
    }
    return row[b.size()];
}

// A zip container of the given parts, made with libzip; `password` encrypts every part.
std::string zipOf(const std::vector<std::pair<std::string, std::string>> &parts,
                  const char *password = nullptr) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("yuedu-formats-" + std::to_string(::getpid()) + ".zip");
    int error = 0;
    zip_t *zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(zip, nullptr);
    for (const auto &[name, bytes] : parts) {
        zip_source_t *src = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = zip_file_add(zip, name.c_str(), src, ZIP_FL_OVERWRITE);
        if (password)
            zip_file_set_encryption(zip, static_cast<zip_uint64_t>(index), ZIP_EM_AES_128,
                                    password);
    }
    EXPECT_EQ(zip_close(zip), 0);
    std::string bytes = readFileBytes(path.string());
    std::filesystem::remove(path);
    return bytes;
}

const char *const kW = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";

std::string docx(const std::string &body, const std::string &footnotes = "") {
    std::vector<std::pair<std::string, std::string>> parts{
        {"word/document.xml",
         std::string("<w:document ") + kW + "><w:body>" + body + "</w:body></w:document>"}};
    if (!footnotes.empty()) {
        parts.push_back({"word/_rels/document.xml.rels",
                         "<Relationships><Relationship Id=\"r1\" Type=\"http://schemas."
                         "openxmlformats.org/officeDocument/2006/relationships/footnotes\" "
                         "Target=\"footnotes.xml\"/><Relationship Id=\"r2\" Type=\"http://"
                         "schemas.openxmlformats.org/officeDocument/2006/relationships/header\" "
                         "Target=\"header1.xml\"/></Relationships>"});
        parts.push_back({"word/footnotes.xml",
                         std::string("<w:footnotes ") + kW + ">" + footnotes + "</w:footnotes>"});
    }
    return zipOf(parts);
}

std::string odt(const std::string &text, const std::string &manifest = "<manifest/>") {
    return zipOf({{"mimetype", "application/vnd.oasis.opendocument.text"},
                  {"META-INF/manifest.xml", manifest},
                  {"content.xml",
                   "<office:document-content xmlns:office=\"o\" xmlns:text=\"t\" xmlns:draw=\"d\">"
                   "<office:body><office:text>" +
                       text + "</office:text></office:body></office:document-content>"}});
}

std::string epub(const std::string &spine, const std::string &encryption = "") {
    std::vector<std::pair<std::string, std::string>> parts{
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml",
         "<container><rootfiles><rootfile full-path=\"OPS/book.opf\" "
         "media-type=\"application/oebps-package+xml\"/></rootfiles></container>"},
        {"OPS/book.opf",
         "<package><manifest>"
         "<item id=\"a\" href=\"text/one.xhtml\" media-type=\"application/xhtml+xml\"/>"
         "<item id=\"b\" href=\"text/two%20b.xhtml\" media-type=\"application/xhtml+xml\"/>"
         "<item id=\"n\" href=\"notes.xhtml\" media-type=\"application/xhtml+xml\"/>"
         "</manifest><spine>" +
             spine + "</spine></package>"},
        {"OPS/text/one.xhtml", "<html><body><p>第一章</p></body></html>"},
        {"OPS/text/two b.xhtml",
         "<html><body><p>第二章<ruby>書<rt>ㄕㄨ</rt></ruby></p></body></html>"},
        {"OPS/notes.xhtml", "<html><body><p>註釋</p></body></html>"}};
    if (!encryption.empty())
        parts.push_back({"META-INF/encryption.xml", encryption});
    return zipOf(parts);
}

std::u16string textOf(const std::string &bytes, const std::string &name = "document") {
    std::optional<FormattedText> r = readFormattedText(bytes, name);
    EXPECT_TRUE(r.has_value());
    return r ? r->text.text : u"";
}

std::string notesOf(const std::string &bytes) {
    const std::optional<FormattedText> r = readFormattedText(bytes, "document");
    std::string all;
    for (const auto &n : r->text.notes)
        all += n + "\n";
    return all;
}

} // namespace

// Made by pandoc and LibreOffice from source.txt; recognised by their content, not a name.
TEST(DocumentFormats, FilesWrittenByOtherToolsGiveBackTheirSourceText) {
    const std::u16string source = sourceParagraphs();
    const struct {
        const char *file;
        DocumentFormat format;
    } cases[] = {{"pandoc.docx", DocumentFormat::Docx},
                 {"pandoc.odt", DocumentFormat::Odt},
                 {"pandoc.epub", DocumentFormat::Epub},
                 {"pandoc.html", DocumentFormat::Html}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        std::optional<FormattedText> r = readFormattedText(fixture(c.file), "document");
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->format, c.format);
        EXPECT_EQ(r->text.text, source);
    }
}

TEST(DocumentFormats, PdfGivesTheHanziOfItsSourceInOrder) {
    std::optional<FormattedText> r = readFormattedText(fixture("libreoffice.pdf"), "document");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->format, DocumentFormat::Pdf);
    const std::u16string want = hanziOf(sourceParagraphs()), got = hanziOf(r->text.text);
    EXPECT_GE(inOrder(want, got) * 100, want.size() * 99);
    EXPECT_LE(got.size(), want.size());
    // The lines LibreOffice broke the paragraphs into are joined again.
    EXPECT_NE(
        r->text.text.find(u"每天放學以後，他們都會提著水桶去澆水，看看泥土裡有沒有冒出新的嫩芽。"),
        std::u16string::npos);
}

TEST(DocumentFormats, PlainTextAndRtfAreLeftToTheirOwnReaders) {
    EXPECT_FALSE(readFormattedText(fixture("source.txt"), "a.txt").has_value());
    EXPECT_FALSE(readFormattedText("{\\rtf1 x}", "a.rtf").has_value());
    EXPECT_FALSE(readFormattedText("<不是網頁> 只是一行字", "a.txt").has_value());
}

TEST(DocumentFormats, BadFilesAreErrorsNamingThePath) {
    std::string damaged = fixture("pandoc.docx");
    for (std::size_t i = 800; i < 1400; ++i) // inside word/document.xml, packed
        damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
    const std::string document = "<w:p><w:r><w:t>甲</w:t></w:r></w:p>";
    std::string bomb(8u << 20, ' ');
    const struct {
        const char *name;
        std::string bytes;
        const char *message;
    } cases[] = {
        {"password pdf", fixture("libreoffice_password.pdf"), "密碼"},
        {"scanned pdf", fixture("libreoffice_image_only.pdf"), "這份 PDF 沒有文字層"},
        {"broken pdf", "%PDF-1.7\n" + std::string(300, '\x01') + "\nstartxref\n9\n%%EOF", "PDF"},
        {"damaged zip", damaged, "損壞"},
        {"cut zip", fixture("pandoc.odt").substr(0, 5000), "損壞"},
        {"zip bomb", docx("<w:p><w:r><w:t>" + bomb + "</w:t></w:r></w:p>"), "壓縮炸彈"},
        {"encrypted zip", zipOf({{"word/document.xml", document}}, "secret"), "密碼"},
        {"encrypted odt",
         odt("<text:p>甲</text:p>", "<manifest><file-entry><encryption-data/></file-entry>"
                                    "</manifest>"),
         "密碼"},
        {"protected epub",
         epub("<itemref idref=\"a\"/>",
              "<encryption><EncryptedData><CipherData><CipherReference "
              "URI=\"OPS/text/one.xhtml\"/></CipherData></EncryptedData></encryption>"),
         "加密"},
        {"encrypted office file",
         std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(100, '\0') +
             std::string("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32),
         "密碼"},
        {"word 97 file", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "WordDocument",
         ".doc"},
        {"external entity",
         zipOf({{"word/document.xml",
                 "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                 "<w:document " +
                     std::string(kW) +
                     "><w:body><w:p><w:r><w:t>&x;</w:t></w:r></w:p></w:body>"
                     "</w:document>"}}),
         "ENTITY"},
        {"malformed xml", docx("<w:p><w:r><w:t>甲</w:r></w:p>"), "XML 有誤"},
        {"other zip", zipOf({{"photo.jpg", "not a document"}}), "不是可讀的文件"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            readFormattedText(c.bytes, "/data/in/file");
            ADD_FAILURE() << "no error";
        } catch (const FormatError &e) {
            EXPECT_EQ(e.path(), "/data/in/file");
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(DocumentFormats, WordKeepsWhatIsReadAndSaysWhatIsLeftOut) {
    const std::string body =
        "<w:p><w:r><w:t>正文</w:t></w:r><w:ins><w:r><w:t>加上</w:t></w:r></w:ins>"
        "<w:del><w:r><w:delText>刪去</w:delText></w:r></w:del>"
        "<w:r><w:footnoteReference w:id=\"1\"/><w:instrText>PAGE</w:instrText></w:r>"
        "<w:r><w:ruby><w:rt><w:r><w:t>ㄕㄨ</w:t></w:r></w:rt><w:rubyBase><w:r><w:t>書</w:t>"
        "</w:r></w:rubyBase></w:ruby></w:r>"
        "<w:r><mc:AlternateContent xmlns:mc=\"m\"><mc:Choice><w:drawing><a:t xmlns:a=\"a\">"
        "圖</a:t><w:txbxContent><w:p><w:r><w:t>方塊</w:t></w:r></w:p></w:txbxContent>"
        "</w:drawing></mc:Choice><mc:Fallback><w:pict><w:txbxContent><w:p><w:r><w:t>方塊"
        "</w:t></w:r></w:p></w:txbxContent></w:pict></mc:Fallback></mc:AlternateContent>"
        "</w:r></w:p><w:tbl><w:tr><w:tc><w:p><w:r><w:t>甲</w:t></w:r></w:p></w:tc>"
        "<w:tc><w:p><w:r><w:t>乙</w:t></w:r></w:p></w:tc></w:tr></w:tbl>"
        "<w:p><w:r><w:t>末</w:t><w:br/><w:t>行</w:t></w:r></w:p>";
    const std::string notes = "<w:footnote w:type=\"separator\"><w:p><w:r><w:t>—</w:t></w:r>"
                              "</w:p></w:footnote><w:footnote w:id=\"1\"><w:p><w:r><w:t>註一"
                              "</w:t></w:r></w:p></w:footnote>";
    const std::string file = docx(body, notes);
    EXPECT_EQ(textOf(file), u"正文加上書\n甲\n乙\n末\n行\n註一\n方塊");
    const std::string said = notesOf(file);
    for (const char *note : {"刪除的文字 1 處", "註腳 1 則", "文字方塊 1 個",
                             "注音標示（ruby）1 處", "頁首與頁尾未讀入"})
        EXPECT_NE(said.find(note), std::string::npos) << note << " in\n" << said;
}

TEST(DocumentFormats, OpenDocumentKeepsWhatIsReadAndSaysWhatIsLeftOut) {
    const std::string file = odt(
        "<text:tracked-changes><text:changed-region><text:deletion><text:p>刪去</text:p>"
        "</text:deletion></text:changed-region></text:tracked-changes>"
        "<text:h>標題</text:h><text:p>甲 \n  乙<text:s "
        "text:c=\"2\"/>丙<text:note><text:note-citation>1"
        "</text:note-citation><text:note-body><text:p>註一</text:p></text:note-body></text:note>"
        "<text:ruby><text:ruby-base>書</text:ruby-base><text:ruby-text>ㄕㄨ</text:ruby-text>"
        "</text:ruby><text:line-break/>丁</text:p><text:list><text:list-item><text:p>項</text:p>"
        "</text:list-item></text:list><draw:frame><draw:text-box><text:p>框</text:p>"
        "</draw:text-box></draw:frame>");
    EXPECT_EQ(textOf(file), u"標題\n甲 乙  丙書\n丁\n項\n註一\n框");
    const std::string said = notesOf(file);
    for (const char *note : {"刪除的文字 1 處", "附註 1 則", "文字框 1 個", "注音標示（ruby）1 處"})
        EXPECT_NE(said.find(note), std::string::npos) << note << " in\n" << said;
}

TEST(DocumentFormats, WebPageGivesItsVisibleTextInItsDeclaredCharset) {
    // 「閱讀」 in code page 950, declared by the HTTP equivalent only.
    const std::string big5 = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                             "charset=big5\"><title>T</title></head><body><p>\xBE\\\xC5\xAA</p>"
                             "</body></html>";
    const struct {
        const char *name;
        std::string page;
        std::u16string text;
    } cases[] = {
        {"big5 meta", big5, u"閱讀"},
        {"utf-8 meta", "<!DOCTYPE html><meta charset=utf-8><p>閱讀</p>", u"閱讀"},
        {"scripts styles nav hidden",
         "<html><head><style>p{}</style></head><body><nav>首頁</nav><script>var a='甲';</script>"
         "<p>正&amp;文<br>次行</p><div hidden>藏</div><p style=\"display: none\">藏</p>"
         "<noscript>無</noscript></body></html>",
         u"正&文\n次行"},
        {"ruby", "<html><body><p><ruby>注<rp>(</rp><rt>ㄓㄨˋ</rt><rp>)</rp>音</ruby>書</p>",
         u"注音書"},
        {"wrapped source lines",
         "<html><body><p>一二\n   三四 five\nsix</p><pre>甲\n  乙</pre><table><tr><td>格一</td>"
         "<td>格二</td></tr></table></body></html>",
         u"一二三四 five six\n甲\n  乙\n格一\n格二"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textOf(c.page, "page.html"), c.text);
    }
    EXPECT_NE(notesOf(cases[2].page).find("導覽區（nav）1 個"), std::string::npos);
}

TEST(DocumentFormats, EpubFollowsTheSpineAndLeavesOutNonLinearDocuments) {
    const std::string book =
        epub("<itemref idref=\"b\"/><itemref idref=\"n\" linear=\"no\"/><itemref idref=\"a\"/>");
    EXPECT_EQ(textOf(book), u"第二章書\n第一章");
    EXPECT_NE(notesOf(book).find("非線性的文件 1 份"), std::string::npos);
}
