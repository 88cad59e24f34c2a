#include "docfile/xmlpart.h"

#include <cstring>
#include <vector>

#include "common/errors.h"

namespace yuedu::doc {

XmlPart::XmlPart(std::string bytes, const std::string &source, const std::string &part)
    : m_bytes(std::move(bytes)) {
    // Whitespace-only text is kept where it is a run's only content (" " between two words).
    const unsigned options =
        pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_doctype;
    const pugi::xml_parse_result r =
        m_doc.load_buffer_inplace(m_bytes.data(), m_bytes.size(), options);
    if (!r)
        throw FormatError(source, part + " 的 XML 有誤（" + r.description() + "）",
                          static_cast<std::int64_t>(r.offset));
    for (pugi::xml_node n = m_doc.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_doctype && std::strstr(n.value(), "ENTITY"))
            throw FormatError(source, part + " 宣告了 XML 實體（ENTITY）；為安全起見，"
                                             "這類檔案不予讀取");
}

std::string_view localName(const char *name) {
    std::string_view n(name);
    const auto colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

std::string_view attribute(const pugi::xml_node &node, std::string_view local) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
        if (localName(a.name()) == local)
            return a.value();
    return {};
}

pugi::xml_node child(const pugi::xml_node &node, std::string_view local) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c) == local)
            return c;
    return {};
}

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string resolvePartPath(std::string_view base, std::string_view reference) {
    reference = reference.substr(0, reference.find('#'));
    std::string decoded;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        if (reference[i] == '%' && i + 2 < reference.size() && hexValue(reference[i + 1]) >= 0 &&
            hexValue(reference[i + 2]) >= 0) {
            decoded +=
                static_cast<char>(hexValue(reference[i + 1]) * 16 + hexValue(reference[i + 2]));
            i += 2;
        } else {
            decoded += reference[i];
        }
    }
    std::vector<std::string> parts;
    if (!decoded.starts_with('/')) {
        const auto slash = base.rfind('/');
        if (slash != std::string_view::npos)
            decoded = std::string(base.substr(0, slash + 1)) + decoded;
    }
    std::size_t start = 0;
    while (start <= decoded.size()) {
        auto end = decoded.find('/', start);
        if (end == std::string::npos)
            end = decoded.size();
        const std::string piece = decoded.substr(start, end - start);
        if (piece == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        start = end + 1;
    }
    std::string out;
    for (const auto &p : parts)
        out += (out.empty() ? "" : "/") + p;
    return out;
}

} // namespace yuedu::doc
