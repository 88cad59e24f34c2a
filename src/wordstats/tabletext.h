#pragma once
// Plain-text tables of the results: one row a line, fields separated by tabs.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace yuedu::wordstats {

// A field that cannot break the table: backslash, tab, carriage return and line feed inside a
// word become \\, \t, \r and \n.
std::u16string escapeField(std::u16string_view field);

// Decimal digits, no grouping.
std::u16string decimalText(std::int64_t value);

// Appends the fields joined by tabs and a line feed.
void appendRow(std::u16string &out, std::initializer_list<std::u16string_view> fields);

// The words of a node's word list (each followed by CR LF), escaped, separated by blanks.
std::u16string joinWords(std::u16string_view lines);

} // namespace yuedu::wordstats
