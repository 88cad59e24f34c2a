// yuedu-cli freq: word frequency of segmented text, one tab-separated row per distinct word.
#include <iostream>

#include "cli/command.h"
#include "cli/textstream.h"
#include "common/errors.h"
#include "docfile/documentreader.h"
#include "report/numberformat.h"
#include "report/tsv.h"
#include "wordstats/frequency.h"

namespace yuedu::cli {
namespace {

using namespace wordstats;

// The rows of the frequency list in the order the list holds them.
std::u16string frequencyRows(const FrequencyResult &result) {
    std::u16string out;
    for (std::size_t i = 0; i < result.size(); ++i)
        report::appendTsvRow(out, {result.words[i].word, report::decimalText(result.words[i].count),
                                   result.percentText(i),
                                   report::decimalText(static_cast<std::int64_t>(i) + 1)});
    return out;
}

// --merge: frequency tables of parts of a corpus summed into the table of the whole. Every
// piece of a text is a row of its table (the empty piece too), so the summed counts also give
// the whole's word total and its percentages.
int runMerge(const Args &args) {
    if (args.positional.empty())
        throw UsageError("name the frequency tables to merge");
    compare::FrequencyCounts counts;
    for (const auto &path : args.positional)
        compare::addFrequencyTable(fromUtf8(doc::readFileBytes(path)), path, counts);
    writeOut(frequencyTableText(counts));
    return 0;
}

int runFreq(const Args &args) {
    if (args.has("merge"))
        return runMerge(args);
    // Every file is cut on its own, so each gives the words it gives alone; the counts are
    // over all of them together.
    const FrequencyResult result = WordFrequency(tallyInputWords(args));
    if (result.empty()) {
        std::cerr << "yuedu-cli freq: no words found; words of segmented text are each followed "
                     "by two blanks\n";
        return 1;
    }
    writeOut(frequencyRows(result));
    // The totals go beside the table, not into it, so that the rows stay one word each.
    std::cerr << "yuedu-cli freq: " << result.WordTotal << " words, " << result.size()
              << " distinct\n";
    return 0;
}

} // namespace

std::u16string frequencyTableText(const compare::FrequencyCounts &counts) {
    return frequencyRows(compare::frequencyResult(counts));
}

namespace {

const CommandRegistration registration({
    "freq",
    "[--merge] FILE...",
    "word frequency of segmented text: word, count, percentage, order (tab-separated); --merge "
    "sums frequency tables of parts of a corpus",
    {},
    runFreq,
});

} // namespace
} // namespace yuedu::cli
