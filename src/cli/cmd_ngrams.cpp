// yuedu-cli ngrams: the word clusters of a text or a corpus with their frequency and range.
#include <iostream>

#include "cli/command.h"
#include "common/errors.h"
#include "concord/wordstatistics.h"
#include "report/tsv.h"

namespace yuedu::cli {
namespace {

int runNgrams(const Args &args) {
    concord::NgramOptions options;
    options.n = static_cast<int>(numberOption(args, "n", 2, 2, 5));
    options.minFreq = numberOption(args, "min-freq", 1, 1, INT64_MAX);
    options.minRange = numberOption(args, "min-range", 1, 1, INT64_MAX);
    if (const auto word = args.value("word"))
        options.around = concord::WordQuery{fromUtf8(*word), concord::MatchKind::Word};
    int status = 0;
    const concord::WordCorpus corpus = readWordCorpus(args, "ngrams", 0, status);
    const concord::NgramResult result = concord::ngrams(corpus, options);
    std::string out;
    if (!args.has("no-header"))
        out += report::tsvRow({"ngram", "frequency", "range"});
    for (const auto &row : result.rows)
        out += report::tsvRow(
            {toUtf8(row.words), std::to_string(row.frequency), std::to_string(row.range)});
    writeOut(std::string_view(out));
    std::cerr << "yuedu-cli ngrams: " << result.rows.size() << " clusters of " << options.n
              << " words in " << corpus.texts.size() << " texts\n";
    return status;
}

const CommandRegistration registration({
    "ngrams",
    "[-n N] [--min-freq F] [--min-range R] [--word WORD] [--jobs N] [--no-header] [--no-cache] "
    "[FILE|DIR...]",
    "word clusters of N words (2 to 5): cluster (words separated by a blank), frequency, range "
    "(texts it occurs in)",
    {"n", "min-freq", "min-range", "word", "jobs"},
    runNgrams,
    "  -n N               words a cluster, 2 (the default) to 5\n"
    "  --min-freq F       only clusters that occur F times or more\n"
    "  --min-range R      only clusters that occur in R texts or more\n"
    "  --word WORD        only clusters that hold WORD\n"
    "  --jobs N           threads that read and segment the texts\n"
    "  --no-header        no header row\n"
    "  --no-cache         neither use nor keep the segmented texts between runs\n",
});

} // namespace
} // namespace yuedu::cli
