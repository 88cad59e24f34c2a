#include "report/csv.h"

#include "langdata/textcodec.h"

namespace yuedu::report {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool isNumberCell(std::string_view cell) {
    std::size_t i = 0;
    if (i < cell.size() && cell[i] == '-')
        ++i;
    std::size_t digits = 0;
    for (; i < cell.size() && isDigit(cell[i]); ++i)
        ++digits;
    if (i < cell.size() && cell[i] == '.')
        for (++i; i < cell.size() && isDigit(cell[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < cell.size() && (cell[i] == 'e' || cell[i] == 'E')) {
        ++i;
        if (i < cell.size() && (cell[i] == '+' || cell[i] == '-'))
            ++i;
        const std::size_t start = i;
        while (i < cell.size() && isDigit(cell[i]))
            ++i;
        if (i == start)
            return false;
    }
    return i == cell.size();
}

std::string csvCell(std::string_view cell) {
    std::string text;
    if (!cell.empty() &&
        std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos &&
        !isNumberCell(cell))
        text = "'";
    text += cell;
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string csvRow(const std::vector<std::string> &cells) {
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += ',';
        out += csvCell(cells[i]);
    }
    out += "\r\n";
    return out;
}

std::string csvDocument(const std::vector<std::vector<std::string>> &rows) {
    std::string out(kUtf8Bom);
    for (const auto &row : rows)
        out += csvRow(row);
    return out;
}

std::string csvDocument(const std::vector<std::vector<std::u16string>> &rows) {
    std::string out(kUtf8Bom);
    std::vector<std::string> cells;
    for (const auto &row : rows) {
        cells.clear();
        for (const auto &cell : row)
            cells.push_back(toUtf8(cell));
        out += csvRow(cells);
    }
    return out;
}

} // namespace yuedu::report
