#include "docfile/odtreader.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "common/errors.h"
#include "docfile/xmlpart.h"
#include "docfile/zipcontainer.h"

namespace yuedu::doc {

namespace {

constexpr int kMaxDepth = 400;

const char *const kDeletions = "修訂中刪除的文字 %d 處未讀入（插入的文字照讀）";
const char *const kRuby = "注音標示（ruby）%d 處未讀入，只讀其本字";
const char *const kFrames = "文字框 %d 個，其文字附在正文之後";
const char *const kComments = "註解 %d 則未讀入";

class OdtWalker {
public:
    OdtWalker(TextBuilder &out, const std::string &source) : m_out(out), m_source(source) {}

    void walk(const pugi::xml_node &node, int depth = 0) {
        if (depth > kMaxDepth)
            throw FormatError(m_source, "文件的 XML 層次過深，不予讀取");
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
            if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
                text(c.value());
            else if (c.type() == pugi::node_element)
                element(c, depth + 1);
        }
    }

    std::vector<pugi::xml_node> notes, frames;

private:
    // Runs of blanks, tabs and line ends in the XML are one blank; text:s, text:tab and
    // text:line-break stand for the real ones.
    void text(std::string_view value) {
        std::size_t i = 0;
        while (i < value.size()) {
            const char c = value[i];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                if (!m_out.atParagraphStart() && m_out.last() != u' ')
                    m_out.append(u' ');
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < value.size() && value[end] != ' ' && value[end] != '\t' &&
                   value[end] != '\n' && value[end] != '\r')
                ++end;
            m_out.append(value.substr(i, end - i));
            i = end;
        }
    }

    void element(const pugi::xml_node &e, int depth) {
        const std::string_view local = localName(e);
        if (local == "p" || local == "h") {
            walk(e, depth);
            m_out.endParagraph();
        } else if (local == "s") {
            const int count = std::atoi(std::string(attribute(e, "c")).c_str());
            for (int i = 0; i < std::clamp(count, 1, 1000); ++i)
                m_out.append(u' ');
        } else if (local == "tab") {
            m_out.append(u'\t');
        } else if (local == "line-break") {
            m_out.endParagraph();
        } else if (local == "note") {
            if (pugi::xml_node body = child(e, "note-body"))
                notes.push_back(body);
        } else if (local == "text-box") {
            frames.push_back(e);
            m_out.leave(kFrames);
        } else if (local == "tracked-changes") {
            for (pugi::xml_node region : e.children())
                if (child(region, "deletion"))
                    m_out.leave(kDeletions);
        } else if (local == "annotation") {
            m_out.leave(kComments);
        } else if (local == "ruby") {
            if (pugi::xml_node base = child(e, "ruby-base"))
                walk(base, depth);
            m_out.leave(kRuby);
        } else if (local == "table-of-content" || local == "alphabetical-index" ||
                   local == "illustration-index" || local == "table-index" ||
                   local == "object-index" || local == "user-index" || local == "bibliography") {
            if (pugi::xml_node body = child(e, "index-body"))
                walk(body, depth);
        } else if (local == "note-citation" || local == "sequence-decls" ||
                   local == "variable-decls" || local == "user-field-decls" || local == "forms" ||
                   local == "title" || local == "desc" || local == "annotation-end" ||
                   local == "covered-table-cell" || local == "table-columns" ||
                   local == "table-column") {
            // marks, declarations and alternative texts: nothing to read
        } else {
            walk(e, depth);
        }
    }

    TextBuilder &m_out;
    const std::string &m_source;
};

bool encrypted(ZipContainer &zip) {
    auto manifest = zip.readIfPresent("META-INF/manifest.xml");
    return manifest && manifest->find("encryption-data") != std::string::npos;
}

} // namespace

ExtractedText readOdt(ZipContainer &zip) {
    if (encrypted(zip))
        throw FormatError(zip.source(), "文件有密碼保護（已加密），無法讀取");
    XmlPart xml(zip.read("content.xml"), zip.source(), "content.xml");
    pugi::xml_node body = child(child(xml.root(), "body"), "text");
    if (!body)
        throw FormatError(zip.source(), "不是 OpenDocument 文字文件：content.xml 沒有正文");
    TextBuilder out;
    OdtWalker walker(out, zip.source());
    walker.walk(body);
    out.endParagraph();
    // Notes and frames can hold notes and frames of their own: read until none are left.
    std::size_t noteCount = 0;
    for (std::size_t i = 0; i < walker.notes.size(); ++i, ++noteCount) {
        walker.walk(walker.notes[i]);
        out.endParagraph();
    }
    if (noteCount > 0)
        out.note("註腳與章節附註 " + std::to_string(noteCount) + " 則，附在正文之後");
    for (std::size_t i = 0; i < walker.frames.size(); ++i) {
        walker.walk(walker.frames[i]);
        out.endParagraph();
        for (std::size_t j = noteCount; j < walker.notes.size(); ++j, ++noteCount) {
            walker.walk(walker.notes[j]);
            out.endParagraph();
        }
    }
    if (auto styles = zip.readIfPresent("styles.xml")) {
        // The master pages' header and footer elements (not the page layouts' -style ones).
        const bool found = std::ranges::any_of(
            std::initializer_list<const char *>{"<style:header>", "<style:header ",
                                                "<style:footer>", "<style:footer "},
            [&](const char *tag) { return styles->find(tag) != std::string::npos; });
        if (found)
            out.note("頁首與頁尾未讀入");
    }
    return out.finish();
}

} // namespace yuedu::doc
