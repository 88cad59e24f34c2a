#include "wordstats/tabletext.h"

namespace yuedu::wordstats {

std::u16string escapeField(std::u16string_view field) {
    std::u16string out;
    out.reserve(field.size());
    for (char16_t c : field) {
        switch (c) {
        case u'\\':
            out += u"\\\\";
            break;
        case u'\t':
            out += u"\\t";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\n':
            out += u"\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::u16string decimalText(std::int64_t value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

void appendRow(std::u16string &out, std::initializer_list<std::u16string_view> fields) {
    bool first = true;
    for (auto field : fields) {
        if (!first)
            out += u'\t';
        out += field;
        first = false;
    }
    out += u'\n';
}

std::u16string joinWords(std::u16string_view lines) {
    std::u16string out;
    std::size_t at = 0;
    while (at < lines.size()) {
        std::size_t end = lines.find(u"\r\n", at);
        if (end == std::u16string_view::npos)
            end = lines.size();
        if (!out.empty())
            out += u' ';
        out += escapeField(lines.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

} // namespace yuedu::wordstats
