#include "report/tsv.h"

namespace yuedu::report {
namespace {

template <typename Char> std::basic_string<Char> escape(std::basic_string_view<Char> field) {
    std::basic_string<Char> out;
    out.reserve(field.size());
    for (Char c : field) {
        Char escaped = 0;
        switch (c) {
        case '\\':
            escaped = '\\';
            break;
        case '\t':
            escaped = 't';
            break;
        case '\r':
            escaped = 'r';
            break;
        case '\n':
            escaped = 'n';
            break;
        default:
            out += c;
            continue;
        }
        out += Char('\\');
        out += escaped;
    }
    return out;
}

} // namespace

std::u16string tsvField(std::u16string_view field) {
    return escape(field);
}

std::string tsvField(std::string_view field) {
    return escape(field);
}

std::u16string tsvUnescape(std::u16string_view field) {
    std::u16string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        char16_t c = field[i];
        if (c == u'\\' && i + 1 < field.size()) {
            const char16_t e = field[++i];
            c = e == u't' ? u'\t' : e == u'r' ? u'\r' : e == u'n' ? u'\n' : e;
        }
        out += c;
    }
    return out;
}

void appendTsvRow(std::u16string &out, std::initializer_list<std::u16string_view> fields) {
    bool first = true;
    for (auto field : fields) {
        if (!first)
            out += u'\t';
        out += escape(field);
        first = false;
    }
    out += u'\n';
}

std::string tsvRow(const std::vector<std::string> &fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += '\t';
        out += escape(std::string_view(fields[i]));
    }
    out += '\n';
    return out;
}

std::u16string wordListField(std::u16string_view lines) {
    std::u16string out;
    std::size_t at = 0;
    while (at < lines.size()) {
        std::size_t end = lines.find(u"\r\n", at);
        if (end == std::u16string_view::npos)
            end = lines.size();
        if (!out.empty())
            out += u' ';
        out += lines.substr(at, end - at);
        at = end + 2;
    }
    return out;
}

} // namespace yuedu::report
