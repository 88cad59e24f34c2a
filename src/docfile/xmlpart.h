#pragma once
// One XML part of a document container, parsed with pugixml. Document type declarations are
// never processed: an entity declared in one (an external entity above all) is never resolved,
// and a part that declares any is refused.
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace yuedu::doc {

class XmlPart {
public:
    // Throws FormatError naming the source and the part when the XML is malformed or declares
    // entities.
    XmlPart(std::string bytes, const std::string &source, const std::string &part);
    XmlPart(const XmlPart &) = delete;
    XmlPart &operator=(const XmlPart &) = delete;

    pugi::xml_node root() const { return m_doc.document_element(); }

private:
    std::string m_bytes; // parsed in place: the nodes point into it
    pugi::xml_document m_doc;
};

// The name of an element or attribute without its namespace prefix ("w:p" -> "p").
std::string_view localName(const char *name);
inline std::string_view localName(const pugi::xml_node &node) {
    return localName(node.name());
}
// The value of the attribute with that local name, "" when absent.
std::string_view attribute(const pugi::xml_node &node, std::string_view local);
// The first child element with that local name.
pugi::xml_node child(const pugi::xml_node &node, std::string_view local);

// Resolves a relative reference against the folder of a part ("OEBPS/a/b.xhtml" + "../c.css"
// -> "OEBPS/c.css"); percent escapes are decoded and a fragment dropped.
std::string resolvePartPath(std::string_view base, std::string_view reference);

} // namespace yuedu::doc
