#pragma once
// The program's one CSV dialect, for spreadsheets: UTF-8 with a byte-order mark at the start of
// the file (so that spreadsheets take it as UTF-8), lines ended by CR LF, RFC 4180 quoting (a
// cell with a comma, a quote or a line break is quoted, its quotes doubled).
//
// A cell a spreadsheet would run as a formula is neutralised: a cell beginning with "=", "+",
// "-", "@", a tab or a carriage return gets a leading "'" — unless the whole cell is a number
// (an optional minus, digits with at most one point, an optional exponent, such as "-0.25" or
// "1.5E+07"), which is written as it is so that it stays a number.
#include <string>
#include <string_view>
#include <vector>

namespace yuedu::report {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Whether cell is a plain decimal number in the sense above.
bool isNumberCell(std::string_view cell);

// One cell (UTF-8), neutralised and quoted as needed.
std::string csvCell(std::string_view cell);

// One line of cells (UTF-8), ended by CR LF. No byte-order mark.
std::string csvRow(const std::vector<std::string> &cells);

// A whole file: the byte-order mark, then one line a row.
std::string csvDocument(const std::vector<std::vector<std::string>> &rows);
std::string csvDocument(const std::vector<std::vector<std::u16string>> &rows);

} // namespace yuedu::report
