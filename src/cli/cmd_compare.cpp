// yuedu-cli compare: one row of figures per text of a set of files and folders, the texts run
// in parallel; --summary adds the totals, --freq writes the corpus word frequency.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <thread>
#include <unistd.h>

#include "cli/command.h"
#include "common/errors.h"
#include "compare/comparison.h"
#include "compare/corpus.h"
#include "report/csv.h"
#include "report/json.h"
#include "report/tsv.h"
#include "segment/lexicon.h"

namespace yuedu::cli {
namespace {

enum class Format { Tsv, Csv, Json };

Format formatOption(const Args &args) {
    const std::string name = args.value("format").value_or("tsv");
    if (name == "tsv")
        return Format::Tsv;
    if (name == "csv")
        return Format::Csv;
    if (name == "json")
        return Format::Json;
    throw UsageError("unknown format '" + name + "' (use tsv, csv or json)");
}

// One line of the table. JSON gives one object a line, so that the output of shards of a
// corpus concatenates like the other formats.
std::string tableLine(Format format, const std::vector<std::string> &names,
                      const std::vector<std::string> &cells) {
    if (format == Format::Csv)
        return report::csvRow(cells);
    if (format == Format::Tsv)
        return report::tsvRow(cells);
    report::JsonObject object;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i == 0)
            object.add(names[i], cells[i]);
        else if (cells[i] == "true" || cells[i] == "false")
            object.addBool(names[i], cells[i] == "true");
        else
            object.addNumber(names[i], cells[i]);
    }
    return object.line();
}

// "done/total texts, characters/s" on one line that redraws itself.
class ProgressLine {
public:
    explicit ProgressLine(bool shown) : m_shown(shown) {}
    void operator()(std::size_t done, std::size_t total, std::int64_t chars) {
        if (!m_shown)
            return;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        std::fprintf(stderr, "\r%zu/%zu texts, %.0f characters/s ", done, total,
                     seconds > 0 ? static_cast<double>(chars) / seconds : 0.0);
        std::fflush(stderr);
        m_drawn = true;
    }
    void finish() {
        if (m_drawn)
            std::fputc('\n', stderr);
    }

private:
    bool m_shown;
    bool m_drawn = false;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

int runCompare(const Args &args) {
    const Format format = formatOption(args);
    const int jobs = jobsOption(args);
    if (args.positional.empty())
        throw UsageError("name the files or folders of the texts to compare");

    int status = 0;
    const compare::CollectedTexts collected = compare::collectTexts(args.positional);
    for (const auto &problem : collected.problems) {
        std::cerr << "yuedu-cli compare: " << problem.path << ": " << problem.message << "\n";
        if (!problem.emptyFolder)
            status = 1;
    }
    if (collected.files.empty()) {
        std::cerr << "yuedu-cli compare: no texts to compare\n";
        return 1;
    }

    const LanguageData &data = languageData(args);
    const seg::Lexicon lexicon = loadLexicon(args);
    std::vector<compare::TextSource> sources;
    for (const auto &file : collected.files)
        sources.push_back({file, std::nullopt});
    compare::CompareOptions options;
    options.genre = {args.has("poetry"), args.has("dialogue")};
    options.jobs = jobs;
    ProgressLine progress(isatty(STDERR_FILENO) != 0);
    const compare::CompareResult result =
        compare::compareTexts(data, lexicon, sources, options,
                              [&](std::size_t done, std::size_t total, std::int64_t chars) {
                                  progress(done, total, chars);
                              });
    progress.finish();
    for (const auto &failure : result.failures)
        std::cerr << "yuedu-cli compare: " << failure.message << " (left out)\n";
    if (!result.failures.empty())
        status = 1;

    const auto names = compare::columnNames();
    std::string out;
    // A CSV file starts with the byte-order mark; a table without its header is a shard that
    // goes on the end of another, so it has none.
    if (format != Format::Json && !args.has("no-header"))
        out += (format == Format::Csv ? std::string(report::kUtf8Bom) : std::string()) +
               tableLine(format, names, names);
    for (const auto &row : result.rows)
        out += tableLine(format, names, compare::rowCells(row));
    const bool wantTotals = args.has("summary") || args.value("freq");
    const compare::CorpusTotals totals =
        wantTotals ? compare::corpusTotals(data, result.rows) : compare::CorpusTotals{};
    if (args.has("summary"))
        out += tableLine(format, names, compare::totalCells(totals));
    writeOut(out);

    if (const auto freqPath = args.value("freq")) {
        std::ofstream file(*freqPath, std::ios::binary | std::ios::trunc);
        file << toUtf8(frequencyTableText(totals.all.frequency));
        file.close();
        if (!file) {
            std::cerr << "yuedu-cli compare: " << *freqPath << ": cannot be written\n";
            status = 1;
        }
    }
    return status; // the table's own write errors are found when the output is closed
}

const CommandRegistration registration({
    "compare",
    "[--poetry] [--dialogue] [--jobs N] [--format tsv|csv|json] [--no-header] [--summary] "
    "[--freq OUT.tsv] FILE|DIR...",
    "one row of figures per text (profile, words, grade and general-use shares); folders are "
    "searched for .txt/.rtf/.rxt files",
    {"jobs", "format", "freq"},
    runCompare,
});

} // namespace
} // namespace yuedu::cli
