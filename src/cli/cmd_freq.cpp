// yuedu-cli freq: word frequency of segmented text, one tab-separated row per distinct word.
#include <iostream>

#include "cli/command.h"
#include "wordstats/frequency.h"
#include "wordstats/tabletext.h"

namespace yuedu::cli {
namespace {

using namespace wordstats;

int runFreq(const Args &args) {
    // Every file is cut on its own, so each gives the words it gives alone; the counts are
    // over all of them together.
    PieceList words;
    for (const auto &input : readInputs(args))
        ScanPieces(crlfLineBreaks(input.text), PieceScan::Clean, words);
    const FrequencyResult result = WordFrequency(std::move(words));
    if (result.empty()) {
        std::cerr << "yuedu-cli freq: no words found; words of segmented text are each followed "
                     "by two blanks\n";
        return 0;
    }
    std::u16string out;
    for (std::size_t i = 0; i < result.size(); ++i)
        appendRow(out, {escapeField(result.FreqWords[i]), decimalText(result.FreqCounts[i]),
                        result.percentText(i), decimalText(static_cast<std::int64_t>(i) + 1)});
    writeOut(out);
    // The totals go beside the table, not into it, so that the rows stay one word each.
    std::cerr << "yuedu-cli freq: " << result.WordTotal << " words, " << result.size()
              << " distinct\n";
    return 0;
}

const CommandRegistration registration({
    "freq",
    "FILE...",
    "word frequency of segmented text: word, count, percentage, order (tab-separated)",
    {},
    runFreq,
});

} // namespace
} // namespace yuedu::cli
