// libFuzzer target: the segmenter on the real data files. The segmenter keeps every hanzi of
// the input, with or without a table record (the characters outside code page 950, those
// beyond the BMP, 〇), and the other characters of the table (Big5 signs inside a dictionary
// word), and drops the rest (punctuation, ASCII, blanks). So: what it keeps of the input, in
// order, is exactly what the words of the result hold, each once; and the result has the
// segmented form (pieces followed by two blanks, a final CR LF). Blanks of the input may give
// empty pieces, as in segmented text edited by hand.
#include <cstdint>

#include "fuzzdata.h"
#include "langdata/big5.h"
#include "langdata/hanzi.h"
#include "segment/phrasedivider.h"

using namespace yuedu;

namespace {

// The characters of text the segmenter keeps: table characters and hanzi without a record
// (a pair of surrogates as one).
std::u16string kept(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isTableChar(text[i])) {
            out.push_back(text[i]);
        } else if (const std::size_t n = extraHanziAt(text, i); n != 0) {
            out.append(text.substr(i, n));
            i += n - 1;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const seg::PhraseDivider divider(fuzz::languageData(), fuzz::lexicon());
    const std::u16string text = fuzz::fuzzText(data, size);
    const std::u16string result = divider.DivideText(text);

    std::u16string out;
    std::size_t at = 0;
    while (at < result.size()) {
        if (result.compare(at, 2, u"\r\n") == 0) {
            at += 2;
            continue;
        }
        const std::size_t end = result.find(u"  ", at);
        if (end == std::u16string::npos)
            fuzz::fail("a word without its two blanks");
        out += kept(std::u16string_view(result).substr(at, end - at));
        at = end + 2;
    }
    if (out != kept(text))
        fuzz::fail("the words do not hold the hanzi and table characters of the text once each");
    if (!text.empty() && (result.size() < 2 || result.compare(result.size() - 2, 2, u"\r\n")))
        fuzz::fail("the result does not end in CR LF");
    return 0;
}
