#pragma once
// JSON output: one object a line, so that the output of shards of a corpus concatenates.
//
// Strings always give valid JSON, whatever their bytes: quotes, backslashes and control
// characters are escaped (\" \\ \u00XX), well-formed UTF-8 is written as it is, and a byte that
// is not part of a well-formed UTF-8 sequence (a file name in another encoding, say) is written
// as \uDC80..\uDCFF, its value plus 0xDC00: the escape of Python's "surrogateescape", so that
// json.loads() followed by os.fsencode() gives back the original bytes. A UTF-16 string's lone
// surrogate is escaped as itself.
#include <string>
#include <string_view>

namespace yuedu::report {

// The string in quotes.
std::string jsonString(std::string_view utf8);
std::string jsonString(std::u16string_view text);

// Whether text is a JSON number (RFC 8259: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?).
bool isJsonNumber(std::string_view text);

// One object: members in the order added, written as {"name":value,...}.
class JsonObject {
public:
    JsonObject &add(std::string_view name, std::string_view utf8Text);
    JsonObject &add(std::string_view name, std::u16string_view text);
    // A number given as text; anything that is not a JSON number (an empty cell, "nan") is
    // written as null, never as a 0 that would read as measured.
    JsonObject &addNumber(std::string_view name, std::string_view number);
    // A number; a value that is not finite is null.
    JsonObject &addNumber(std::string_view name, double value);
    JsonObject &addBool(std::string_view name, bool value);
    JsonObject &addNull(std::string_view name);

    // The object followed by a line feed.
    std::string line() const { return (m_text.empty() ? "{" : m_text) + "}\n"; }

private:
    void name(std::string_view name);
    std::string m_text;
};

} // namespace yuedu::report
