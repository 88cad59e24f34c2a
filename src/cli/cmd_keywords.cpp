// yuedu-cli keywords: the words a text or a corpus uses unusually often or seldom compared with
// a reference frequency table.
#include <algorithm>
#include <iostream>

#include "cli/command.h"
#include "common/errors.h"
#include "compare/comparison.h"
#include "concord/wordstatistics.h"
#include "docfile/documentreader.h"
#include "report/numberformat.h"
#include "report/tsv.h"

namespace yuedu::cli {
namespace {

int runKeywords(const Args &args) {
    const auto referencePath = args.value("reference");
    if (!referencePath)
        throw UsageError("name the reference frequency table with --reference REF.tsv");
    concord::KeywordOptions options;
    options.minFreq = numberOption(args, "min-freq", 1, 1, INT64_MAX);
    const std::string sort = args.value("sort").value_or("ll");
    if (sort != "ll" && sort != "ratio")
        throw UsageError("unknown sort '" + sort + "' (use ll or ratio)");
    compare::FrequencyCounts reference;
    compare::addFrequencyTable(fromUtf8(doc::readFileBytes(*referencePath)), *referencePath,
                               reference);
    int status = 0;
    const concord::WordCorpus corpus = readWordCorpus(args, "keywords", 0, status);
    concord::KeywordResult result =
        concord::keywords(concord::wordCounts(corpus), reference, options);
    if (sort == "ratio")
        std::stable_sort(result.rows.begin(), result.rows.end(),
                         [](const concord::KeywordRow &a, const concord::KeywordRow &b) {
                             return a.logRatio > b.logRatio;
                         });
    const bool onlySignificant = args.has("significant");
    using report::generalNumber;
    std::string out;
    if (!args.has("no-header"))
        out += report::tsvRow({"word", "frequency", "reference_frequency", "log_likelihood",
                               "log_ratio", "p", "significant"});
    for (const auto &row : result.rows) {
        if (onlySignificant && !row.significant)
            continue;
        out += report::tsvRow({toUtf8(row.word), std::to_string(row.frequency),
                               std::to_string(row.referenceFrequency),
                               generalNumber(row.logLikelihood), generalNumber(row.logRatio),
                               generalNumber(row.p), row.significant ? "true" : "false"});
    }
    writeOut(std::string_view(out));
    std::cerr << "yuedu-cli keywords: " << result.corpusWords << " words against "
              << result.referenceWords << " of the reference; " << result.comparisons
              << " words compared, significant below p = "
              << generalNumber(0.05 /
                               static_cast<double>(std::max<std::size_t>(result.comparisons, 1)))
              << "\n";
    return status;
}

const CommandRegistration registration({
    "keywords",
    "--reference REF.tsv [--min-freq F] [--sort ll|ratio] [--significant] [--jobs N] "
    "[--no-header] [--no-cache] [FILE|DIR...]",
    "each word against a reference frequency table (as freq writes it): word, frequency, "
    "reference frequency, signed log-likelihood, log ratio, p, significant (Bonferroni)",
    {"reference", "min-freq", "sort", "jobs"},
    runKeywords,
    "  --reference REF    the reference: a frequency table (freq, freq --merge, compare --freq)\n"
    "  --min-freq F       only words that occur F times or more here or in the reference\n"
    "  --sort ll|ratio    by log-likelihood (the default) or by log ratio, highest first\n"
    "  --significant      only the words significant at 0.05 after Bonferroni correction\n"
    "  --jobs N           threads that read and segment the texts\n"
    "  --no-header        no header row\n"
    "  --no-cache         neither use nor keep the segmented texts between runs\n",
});

} // namespace
} // namespace yuedu::cli
