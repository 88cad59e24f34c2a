#include "langdata/scriptconvert.h"

#include <memory>
#include <mutex>

#include <opencc/SimpleConverter.hpp>

#include "common/errors.h"
#include "langdata/big5.h"
#include "langdata/hanzi.h"
#include "langdata/textcodec.h"

namespace yuedu {
namespace {

// Loaded once, on first use (the dictionaries take some milliseconds); converting is const.
const opencc::SimpleConverter &converter() {
    static std::once_flag once;
    static std::unique_ptr<opencc::SimpleConverter> loaded;
    static std::string failure;
    std::call_once(once, [] {
        // OpenCC finds a bare configuration name in its own data folder.
        for (const char *config : {"s2tw.json", "/usr/share/opencc/s2tw.json"}) {
            try {
                loaded = std::make_unique<opencc::SimpleConverter>(config);
                return;
            } catch (const std::exception &e) {
                failure = e.what();
            }
        }
    });
    if (!loaded)
        throw Error("the Simplified to Traditional conversion (OpenCC s2tw) cannot be loaded: " +
                    failure);
    return *loaded;
}

} // namespace

ScriptConversion toTraditional(std::u16string_view text) {
    const opencc::SimpleConverter &c = converter();
    ScriptConversion out;
    const std::string utf8 = toUtf8(text);
    std::string converted;
    try {
        converted = c.Convert(utf8.data(), utf8.size());
    } catch (const std::exception &e) {
        throw Error(std::string("the Simplified to Traditional conversion failed: ") + e.what());
    }
    out.text = fromUtf8(converted);
    // s2tw maps character for character (its phrases only choose among the forms), so the two
    // texts align; should they not, the count is of the characters that differ in length.
    if (out.text.size() == text.size()) {
        for (std::size_t i = 0; i < text.size(); ++i)
            out.changed += out.text[i] != text[i];
    } else {
        out.changed = out.text.size() > text.size() ? out.text.size() - text.size()
                                                    : text.size() - out.text.size();
    }
    return out;
}

std::size_t hanziOutsideBig5(std::u16string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
            n += isHanziCodePoint(c);
        } else if (isHanziCodePoint(c) && tableOrdinal(static_cast<char16_t>(c)) < 0) {
            n += 1;
        }
    }
    return n;
}

std::vector<ScriptNote> scriptNotes(bool simplified, bool converted, std::size_t outsideAsRead,
                                    std::size_t changed, std::size_t outsideAfter) {
    std::vector<ScriptNote> notes;
    if (simplified)
        notes.push_back(
            {true, "read as GB18030 (Simplified Chinese); " + std::to_string(outsideAsRead) +
                       " hanzi have no record in the data" +
                       (converted ? "" : " (--to-traditional converts the text first)")});
    if (converted)
        notes.push_back({false, "converted from Simplified to Traditional Chinese (" +
                                    std::string(kToTraditionalName) +
                                    "): " + std::to_string(changed) + " characters changed, " +
                                    std::to_string(outsideAfter) +
                                    " hanzi without a record in the data remain"});
    return notes;
}

std::vector<ScriptNote> applyToTraditional(std::u16string &text, bool simplified, bool convert) {
    const std::size_t asRead = simplified ? hanziOutsideBig5(text) : 0;
    std::size_t changed = 0;
    if (convert) {
        ScriptConversion c = toTraditional(text);
        text = std::move(c.text);
        changed = c.changed;
    }
    return scriptNotes(simplified, convert, asRead, changed, convert ? hanziOutsideBig5(text) : 0);
}

} // namespace yuedu
