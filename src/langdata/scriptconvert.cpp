#include "langdata/scriptconvert.h"

#include <dlfcn.h>

#include "common/errors.h"
#include "langdata/big5.h"
#include "langdata/hanzi.h"
#include "langdata/modules.h"
#include "langdata/openccapi.h"
#include "langdata/textcodec.h"

namespace yuedu {
namespace {

constexpr const char *kConversion = "the Simplified to Traditional conversion (OpenCC s2tw) ";

// The module's entry point, found once; loadModule keeps the module for the rest of the run.
openccmodule::S2twFn s2tw() {
    const LoadedModule &m =
        loadModule("yuedu-opencc.so", YUEDU_OPENCC_MODULE_INTERFACE, "將簡體中文轉為繁體");
    if (!m.handle)
        throw Error(std::string(kConversion) + "cannot be loaded: " + m.problem);
    auto convert = reinterpret_cast<openccmodule::S2twFn>(dlsym(m.handle, "yuedu_opencc_s2tw"));
    if (!convert)
        throw Error(std::string(kConversion) + "cannot be loaded: yuedu-opencc.so 版本不符");
    return convert;
}

} // namespace

ScriptConversion toTraditional(std::u16string_view text) {
    const openccmodule::S2twFn convert = s2tw();
    ScriptConversion out;
    const std::string utf8 = toUtf8(text);
    std::string converted, problem;
    if (!convert(utf8.data(), utf8.size(), &converted, &problem))
        throw Error(kConversion + problem);
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
