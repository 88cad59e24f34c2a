#pragma once
// Tab-separated tables for other programs: one row a line ended by LF, fields separated by
// tabs. One escaping rule makes every field safe: backslash, tab, carriage return and line feed
// inside a field become \\, \t, \r and \n; tsvUnescape reads them back.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu::report {

std::u16string tsvField(std::u16string_view field);
std::string tsvField(std::string_view field); // UTF-8 (the escaped bytes are all ASCII)

// The field a table row held, its escapes undone (a backslash before any other character
// stands for that character).
std::u16string tsvUnescape(std::u16string_view field);

// Appends the fields, each escaped, joined by tabs and a line feed.
void appendTsvRow(std::u16string &out, std::initializer_list<std::u16string_view> fields);
std::string tsvRow(const std::vector<std::string> &fields);

// The words of a node's word list (each followed by CR LF) as one field: separated by blanks.
std::u16string wordListField(std::u16string_view lines);

} // namespace yuedu::report
