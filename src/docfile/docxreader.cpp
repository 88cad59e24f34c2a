#include "docfile/docxreader.h"

#include <cstring>
#include <vector>

#include "common/errors.h"
#include "docfile/xmlpart.h"
#include "docfile/zipcontainer.h"

namespace yuedu::doc {

namespace {

constexpr int kMaxDepth = 400;

const char *const kDeletions = "修訂中刪除的文字 %d 處未讀入（插入的文字照讀）";
const char *const kRuby = "注音標示（ruby）%d 處未讀入，只讀其本字";
const char *const kTextBoxes = "文字方塊 %d 個，其文字附在正文之後";
const char *const kSymbols = "符號字型的字元 %d 個未讀入";

struct Relationships {
    std::string officeDocument;
    std::vector<std::string> footnotes, endnotes;
    bool headersOrFooters = false;
    std::vector<std::string> comments;
};

bool typeIs(std::string_view type, std::string_view last) {
    return type.ends_with("/" + std::string(last));
}

// The main part named by the package's relationships (word/document.xml in practice).
std::string mainPart(ZipContainer &zip) {
    if (auto rels = zip.readIfPresent("_rels/.rels")) {
        XmlPart xml(std::move(*rels), zip.source(), "_rels/.rels");
        for (pugi::xml_node r = xml.root().first_child(); r; r = r.next_sibling())
            if (typeIs(attribute(r, "Type"), "officeDocument"))
                return resolvePartPath("", attribute(r, "Target"));
    }
    return "word/document.xml";
}

Relationships partRelationships(ZipContainer &zip, const std::string &part) {
    Relationships out;
    const auto slash = part.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    const std::string relsName = folder + "_rels/" + part.substr(folder.size()) + ".rels";
    auto rels = zip.readIfPresent(relsName);
    if (!rels)
        return out;
    XmlPart xml(std::move(*rels), zip.source(), relsName);
    for (pugi::xml_node r = xml.root().first_child(); r; r = r.next_sibling()) {
        const std::string_view type = attribute(r, "Type");
        if (attribute(r, "TargetMode") == "External")
            continue;
        const std::string target = resolvePartPath(part, attribute(r, "Target"));
        if (typeIs(type, "footnotes"))
            out.footnotes.push_back(target);
        else if (typeIs(type, "endnotes"))
            out.endnotes.push_back(target);
        else if (typeIs(type, "header") || typeIs(type, "footer"))
            out.headersOrFooters = true;
        else if (typeIs(type, "comments"))
            out.comments.push_back(target);
    }
    return out;
}

// Walks WordprocessingML in document order. Elements are matched by the prefix the part binds
// to the WordprocessingML namespace, so DrawingML text (a:t) is not taken for body text.
class DocxWalker {
public:
    DocxWalker(TextBuilder &out, const std::string &source) : m_out(out), m_source(source) {}

    void setPrefix(const pugi::xml_node &root) {
        const std::string_view name = root.name();
        const auto colon = name.find(':');
        m_prefix = colon == std::string_view::npos ? "" : std::string(name.substr(0, colon + 1));
    }

    void walk(const pugi::xml_node &node, int depth = 0) {
        if (depth > kMaxDepth)
            throw FormatError(m_source, "文件的 XML 層次過深，不予讀取");
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
            if (c.type() == pugi::node_element)
                element(c, depth + 1);
        }
    }

    // Text boxes met on the way, read after the body and the notes.
    std::vector<pugi::xml_node> textBoxes;

private:
    bool is(const pugi::xml_node &node, const char *local) const {
        const char *name = node.name();
        return std::strncmp(name, m_prefix.c_str(), m_prefix.size()) == 0 &&
               std::strcmp(name + m_prefix.size(), local) == 0;
    }

    void element(const pugi::xml_node &e, int depth) {
        const std::string_view local = localName(e);
        if (local == "AlternateContent") {
            // The choices are alternative renderings of the same content: read the first.
            if (pugi::xml_node choice = child(e, "Choice"))
                walk(choice, depth);
            else if (pugi::xml_node fallback = child(e, "Fallback"))
                walk(fallback, depth);
            return;
        }
        if (std::strncmp(e.name(), m_prefix.c_str(), m_prefix.size()) != 0) {
            walk(e, depth); // another vocabulary (drawings, VML): look inside for text boxes
            return;
        }
        if (is(e, "t")) {
            m_out.append(std::string_view(e.child_value()));
        } else if (is(e, "p")) {
            walk(e, depth);
            m_out.endParagraph();
        } else if (is(e, "tab") || is(e, "ptab")) {
            m_out.append(u'\t');
        } else if (is(e, "br") || is(e, "cr")) {
            m_out.endParagraph();
        } else if (is(e, "noBreakHyphen")) {
            m_out.append(u'-');
        } else if (is(e, "del") || is(e, "moveFrom")) {
            m_out.leave(kDeletions);
        } else if (is(e, "sym")) {
            m_out.leave(kSymbols);
        } else if (is(e, "ruby")) {
            if (pugi::xml_node base = child(e, "rubyBase"))
                walk(base, depth);
            m_out.leave(kRuby);
        } else if (is(e, "txbxContent")) {
            textBoxes.push_back(e);
            m_out.leave(kTextBoxes);
        } else if (is(e, "delText") || is(e, "instrText") || is(e, "delInstrText") ||
                   is(e, "pPr") || is(e, "rPr") || is(e, "sectPr") || is(e, "tblPr") ||
                   is(e, "trPr") || is(e, "tcPr") || is(e, "tblGrid") || is(e, "sdtPr") ||
                   is(e, "sdtEndPr") || is(e, "fldData")) {
            // properties, field codes and deleted text: nothing to read
        } else {
            walk(e, depth);
        }
    }

    TextBuilder &m_out;
    const std::string &m_source;
    std::string m_prefix;
};

// Footnotes or endnotes: every note but the separators, in the order of the part.
void readTextBoxes(DocxWalker &walker, TextBuilder &out) {
    std::vector<pugi::xml_node> boxes = std::move(walker.textBoxes);
    walker.textBoxes.clear();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        walker.walk(boxes[i]);
        out.endParagraph();
        for (const auto &inner : walker.textBoxes) // boxes inside boxes
            boxes.push_back(inner);
        walker.textBoxes.clear();
    }
}

std::size_t readNotes(ZipContainer &zip, const std::string &part, DocxWalker &walker,
                      TextBuilder &out) {
    auto bytes = zip.readIfPresent(part);
    if (!bytes)
        return 0;
    XmlPart xml(std::move(*bytes), zip.source(), part);
    walker.setPrefix(xml.root());
    std::size_t count = 0;
    for (pugi::xml_node note = xml.root().first_child(); note; note = note.next_sibling()) {
        const std::string_view type = attribute(note, "type");
        if (note.type() != pugi::node_element || (!type.empty() && type != "normal"))
            continue;
        walker.walk(note);
        ++count;
    }
    // The text boxes of the notes point into this part: read them before it goes.
    readTextBoxes(walker, out);
    return count;
}

} // namespace

ExtractedText readDocx(ZipContainer &zip) {
    const std::string main = mainPart(zip);
    if (!zip.has(main))
        throw FormatError(zip.source(), "不是 Word 文件：缺少 " + main);
    const Relationships rels = partRelationships(zip, main);
    TextBuilder out;
    DocxWalker walker(out, zip.source());
    {
        XmlPart xml(zip.read(main), zip.source(), main);
        walker.setPrefix(xml.root());
        walker.walk(xml.root());
        out.endParagraph();
        std::vector<pugi::xml_node> boxes = std::move(walker.textBoxes);
        walker.textBoxes.clear();
        std::size_t notes = 0;
        for (const auto &part : rels.footnotes)
            notes += readNotes(zip, part, walker, out);
        if (notes > 0)
            out.note("註腳 " + std::to_string(notes) + " 則，附在正文之後");
        std::size_t endnotes = 0;
        for (const auto &part : rels.endnotes)
            endnotes += readNotes(zip, part, walker, out);
        if (endnotes > 0)
            out.note("章節附註 " + std::to_string(endnotes) + " 則，附在正文之後");
        // Text boxes of the body (those of the notes were read with their notes' parts).
        walker.setPrefix(xml.root());
        walker.textBoxes = std::move(boxes);
        readTextBoxes(walker, out);
    }
    if (rels.headersOrFooters)
        out.note("頁首與頁尾未讀入");
    std::size_t comments = 0;
    for (const auto &part : rels.comments)
        if (auto bytes = zip.readIfPresent(part)) {
            XmlPart xml(std::move(*bytes), zip.source(), part);
            for (pugi::xml_node c : xml.root().children())
                comments += localName(c) == "comment";
        }
    if (comments > 0)
        out.note("註解 " + std::to_string(comments) + " 則未讀入");
    return out.finish();
}

} // namespace yuedu::doc
