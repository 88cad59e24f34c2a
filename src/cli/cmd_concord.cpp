// yuedu-cli concord: every occurrence of a word in a text or a corpus with its context, one
// tab-separated row each (file, line, left, match, right).
#include <iostream>

#include "cli/command.h"
#include "common/errors.h"
#include "concord/concordance.h"
#include "report/tsv.h"

namespace yuedu::cli {
namespace {

int runConcord(const Args &args) {
    if (args.positional.empty())
        throw UsageError("name the word to look for");
    concord::ConcordanceOptions options;
    options.widthInWords = args.has("words");
    options.width =
        static_cast<int>(numberOption(args, "width", options.widthInWords ? 5 : 10, 0, 10000));
    if (const auto sort = args.value("sort");
        sort && !concord::parseContextSort(*sort, options.sort))
        throw UsageError("unknown sort '" + *sort +
                         "' (use pos, left1, left2, left3, right1, right2 "
                         "or right3)");
    concord::WordQuery query;
    query.pattern = fromUtf8(args.positional.front());
    query.kind = args.has("regex")       ? concord::MatchKind::Regex
                 : args.has("substring") ? concord::MatchKind::Substring
                                         : concord::MatchKind::Word;
    int status = 0;
    const concord::WordCorpus corpus = readWordCorpus(args, "concord", 1, status);
    const concord::ConcordanceResult result = concord::concordance(corpus, query, options);

    std::string out;
    if (!args.has("no-header"))
        out += report::tsvRow({"file", "line", "left", "match", "right"});
    for (const auto &line : result.lines) {
        out += report::tsvRow({result.textNames[line.text], std::to_string(line.line),
                               toUtf8(line.left), toUtf8(line.match), toUtf8(line.right)});
        if (out.size() >= 1 << 20) {
            writeOut(std::string_view(out));
            out.clear();
        }
    }
    writeOut(std::string_view(out));
    std::cerr << "yuedu-cli concord: " << result.lines.size() << " lines in " << corpus.texts.size()
              << " texts of " << corpus.tokens() << " words\n";
    return status;
}

const CommandRegistration registration({
    "concord",
    "[--width N] [--words] [--sort pos|left1|left2|left3|right1|right2|right3] [--regex] "
    "[--substring] [--jobs N] [--no-header] [--no-cache] PATTERN [FILE|DIR...]",
    "every occurrence of a word with its context: file, line, left, match, right "
    "(tab-separated); folders are searched as compare searches them",
    {"width", "sort", "jobs"},
    runConcord,
    "  --width N          context on each side: characters (10), or words with --words (5)\n"
    "  --words            count the context in words\n"
    "  --sort KEY         pos (the default), left1..left3 (by the 1st..3rd word to the left),\n"
    "                     right1..right3\n"
    "  --regex            PATTERN is a regular expression matched against whole words\n"
    "  --substring        PATTERN matches every word that holds it\n"
    "  --jobs N           threads that read and segment the texts\n"
    "  --no-header        no header row\n"
    "  --no-cache         neither use nor keep the segmented texts between runs\n",
});

} // namespace
} // namespace yuedu::cli
