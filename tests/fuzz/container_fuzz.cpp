// libFuzzer target: any bytes given to the readers of zip-based documents (Word, OpenDocument,
// EPUB, with their XML and XHTML) and of web pages give a text or a FormatError, and what they
// give keeps its promises: no empty paragraphs, no final line end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/errors.h"
#include "docfile/documentformats.h"
#include "docfile/pdfreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    if (yuedu::doc::looksLikePdf(bytes))
        return 0; // poppler has fuzzers of its own
    try {
        const auto r = yuedu::doc::readFormattedText(bytes, "fuzz.html");
        if (r) {
            const std::u16string &t = r->text.text;
            if (t.starts_with(u'\n') || t.ends_with(u'\n') || t.find(u"\n\n") != t.npos)
                std::abort();
        }
    } catch (const yuedu::FormatError &) {
    }
    return 0;
}
