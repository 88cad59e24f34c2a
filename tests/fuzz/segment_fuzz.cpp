// libFuzzer target: the segmenter on the real data files. Every table character of the input
// ends up in exactly one word of the result, in order, and the result has the segmented form
// (pieces followed by two blanks, a final CR LF). Blanks of the input may give empty
// pieces, as in segmented text edited by hand.
#include <cstdint>

#include "fuzzdata.h"
#include "langdata/big5.h"
#include "segment/phrasedivider.h"

using namespace yuedu;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const seg::PhraseDivider divider(fuzz::languageData(), fuzz::lexicon());
    const std::u16string text = fuzz::fuzzText(data, size);
    const std::u16string result = divider.DivideText(text);

    std::u16string in, out;
    for (char16_t c : text)
        if (isTableChar(c))
            in.push_back(c);
    std::size_t at = 0;
    while (at < result.size()) {
        if (result.compare(at, 2, u"\r\n") == 0) {
            at += 2;
            continue;
        }
        const std::size_t end = result.find(u"  ", at);
        if (end == std::u16string::npos)
            fuzz::fail("a word without its two blanks");
        for (std::size_t k = at; k < end; ++k)
            if (isTableChar(result[k]))
                out.push_back(result[k]);
        at = end + 2;
    }
    if (out != in)
        fuzz::fail("the words do not hold the text's table characters once each");
    if (!text.empty() && (result.size() < 2 || result.compare(result.size() - 2, 2, u"\r\n")))
        fuzz::fail("the result does not end in CR LF");
    return 0;
}
