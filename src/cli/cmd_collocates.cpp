// yuedu-cli collocates: the words near a word in a text or a corpus, with their association
// measures.
#include <iostream>

#include "cli/command.h"
#include "common/errors.h"
#include "concord/wordstatistics.h"
#include "report/numberformat.h"
#include "report/tsv.h"

namespace yuedu::cli {
namespace {

// --window L,R (or one number for both sides).
void windowOption(const Args &args, concord::CollocateOptions &options) {
    const auto value = args.value("window");
    if (!value)
        return;
    const std::size_t comma = value->find(',');
    auto side = [&](const std::string &text) {
        try {
            std::size_t used = 0;
            const int n = std::stoi(text, &used);
            if (used == text.size() && n >= 0 && n <= 100)
                return n;
        } catch (const std::exception &) {
        }
        throw UsageError("--window takes LEFT,RIGHT, each 0 to 100 words, not '" + *value + "'");
    };
    options.left = side(value->substr(0, comma));
    options.right = comma == std::string::npos ? options.left : side(value->substr(comma + 1));
    if (options.left + options.right == 0)
        throw UsageError("--window must take at least one word on a side");
}

int runCollocates(const Args &args) {
    if (args.positional.empty())
        throw UsageError("name the word whose collocates to find");
    concord::CollocateOptions options;
    windowOption(args, options);
    options.minFreq = numberOption(args, "min-freq", 1, 1, INT64_MAX);
    concord::WordQuery query;
    query.pattern = fromUtf8(args.positional.front());
    query.kind = args.has("regex") ? concord::MatchKind::Regex : concord::MatchKind::Word;
    int status = 0;
    const concord::WordCorpus corpus = readWordCorpus(args, "collocates", 1, status);
    const concord::CollocateResult result = concord::collocates(corpus, query, options);
    using report::generalNumber;
    std::string out;
    if (!args.has("no-header"))
        out += report::tsvRow({"collocate", "observed", "expected", "mi", "t_score",
                               "log_likelihood", "left", "right", "frequency"});
    for (const auto &row : result.rows)
        out += report::tsvRow({toUtf8(row.word), std::to_string(row.observed),
                               generalNumber(row.expected), generalNumber(row.mi),
                               generalNumber(row.tScore), generalNumber(row.logLikelihood),
                               std::to_string(row.leftCount), std::to_string(row.rightCount),
                               std::to_string(row.frequency)});
    writeOut(std::string_view(out));
    std::cerr << "yuedu-cli collocates: the word occurs " << result.nodeFrequency << " times in "
              << result.corpusWords << " words; " << result.rows.size() << " collocates\n";
    return status;
}

const CommandRegistration registration({
    "collocates",
    "[--window L,R] [--min-freq F] [--regex] [--jobs N] [--no-header] [--no-cache] WORD "
    "[FILE|DIR...]",
    "the words within L words before and R after a word (4,4): collocate, observed, expected, "
    "MI, t-score, log-likelihood, left and right counts, corpus frequency (tab-separated)",
    {"window", "min-freq", "jobs"},
    runCollocates,
    "  --window L,R       words before and after the word (4,4)\n"
    "  --min-freq F       only collocates seen F times or more near the word\n"
    "  --regex            WORD is a regular expression matched against whole words\n"
    "  --jobs N           threads that read and segment the texts\n"
    "  --no-header        no header row\n"
    "  --no-cache         neither use nor keep the segmented texts between runs\n",
});

} // namespace
} // namespace yuedu::cli
