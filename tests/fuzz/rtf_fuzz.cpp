// libFuzzer target: any bytes given to the document reader give a document or a FormatError,
// and a document written back and read again keeps its text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/errors.h"
#include "docfile/documentreader.h"
#include "docfile/rtfreader.h"
#include "docfile/rtfwriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    try {
        yuedu::doc::LoadedDocument d = yuedu::doc::readDocument(bytes, "fuzz");
        const std::u16string text = d.document.plainText();
        const auto again = yuedu::doc::readRtf(yuedu::doc::writeRtf(d.document));
        // Control characters other than tab and line break are not kept by the writer.
        std::u16string kept;
        for (char16_t c : text)
            if (c >= 0x20 || c == u'\t' || c == u'\n')
                kept += c;
        if (again.document.plainText() != kept)
            std::abort();
    } catch (const yuedu::FormatError &) {
    }
    return 0;
}
