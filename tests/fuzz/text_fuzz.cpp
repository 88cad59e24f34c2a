// libFuzzer target: plain-text detection and decoding. Whatever the bytes, the decoded text
// written as UTF-8 reads back unchanged and without replacements, the replacements counted are
// the U+FFFD the decoding made, and reading in the detected encoding gives the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "langdata/textcodec.h"

using namespace yuedu;

[[noreturn]] static void fail(const char *what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const DecodedText d = decodeTextDetailed(bytes);
    std::size_t marks = 0;
    for (char16_t c : d.text)
        marks += c == u'\uFFFD';
    if (d.replaced > marks || d.replaced > size)
        fail("more replacements counted than made");
    // Written as UTF-8, a leading U+FEFF is a byte-order mark again and is dropped on reading.
    const std::u16string_view kept =
        std::u16string_view(d.text).substr(!d.text.empty() && d.text[0] == u'\uFEFF');
    const DecodedText again = decodeTextDetailed(toUtf8(d.text), TextEncoding::Utf8);
    if (again.text != kept || again.replaced != 0)
        fail("the decoded text does not survive UTF-8");
    if (decodeTextDetailed(bytes, d.encoding).text != d.text)
        fail("the detected encoding reads differently when given");
    if (isValidUtf8(bytes) && toUtf8(fromUtf8(bytes)) != bytes)
        fail("valid UTF-8 does not round-trip");
    return 0;
}
