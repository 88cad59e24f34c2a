#include "cli/command.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "common/errors.h"
#include "compare/corpus.h"
#include "docfile/inputtext.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"

namespace yuedu::cli {
namespace {

std::vector<Command> &registry() {
    static std::vector<Command> list;
    return list;
}

} // namespace

bool Args::has(const std::string &flag) const {
    for (const auto &f : flags)
        if (f == flag)
            return true;
    return false;
}

std::optional<std::string> Args::value(const std::string &name) const {
    std::optional<std::string> found;
    for (const auto &[n, v] : options)
        if (n == name)
            found = v;
    return found;
}

CommandRegistration::CommandRegistration(Command command) {
    auto &list = registry();
    auto at = list.begin();
    while (at != list.end() && at->name < command.name)
        ++at;
    list.insert(at, std::move(command));
}

const std::vector<Command> &commands() {
    return registry();
}

bool takesValue(const Command &command, const std::string &name) {
    if (name == "data-dir" || name == "encoding")
        return true;
    for (const auto &v : command.valueOptions)
        if (v == name)
            return true;
    return false;
}

bool acceptsOption(const Command &command, const std::string &name) {
    if (name == "help" || takesValue(command, name))
        return true;
    // The usage line lists every flag ("[--poetry] [--show|--show-all]"), so it is the one
    // place a command declares them.
    const std::string &u = command.usage;
    for (std::size_t at = u.find("--"); at != std::string::npos; at = u.find("--", at + 2)) {
        std::size_t end = at + 2;
        while (end < u.size() &&
               (std::isalnum(static_cast<unsigned char>(u[end])) || u[end] == '-'))
            ++end;
        if (u.compare(at + 2, end - at - 2, name) == 0 && end - at - 2 == name.size())
            return true;
    }
    return false;
}

std::filesystem::path exeDir() {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self.parent_path();
}

std::filesystem::path dataDir(const Args &args) {
    return findDataDir(args.value("data-dir").value_or(""), exeDir());
}

namespace {

// The problems of a load as one message: a line a file, its path and what is wrong.
[[noreturn]] void dataUnusable(const std::filesystem::path &dir, const LoadReport &report) {
    std::string message = "the data files cannot be used:";
    for (const auto &p : report.problems) {
        const std::filesystem::path file(p.file);
        message += "\n  " + (file.is_absolute() ? file : dir / file).string() + ": " + p.message;
    }
    message += "\n(choose the data folder with --data-dir, or rebuild the data with "
               "yuedu-databuild)";
    throw Error(message);
}

} // namespace

const LanguageData &languageData(const Args &args) {
    static std::unique_ptr<LanguageData> data;
    if (!data) {
        auto loaded = std::make_unique<LanguageData>();
        const auto dir = dataDir(args);
        const LoadReport report = loaddata(dir, *loaded);
        if (!report.ok())
            dataUnusable(dir, report);
        data = std::move(loaded);
    }
    return *data;
}

seg::Lexicon loadLexicon(const Args &args) {
    const auto dir = dataDir(args);
    LoadReport report;
    seg::Lexicon lexicon = seg::LoadLexicon(dir, &report);
    if (!report.ok())
        dataUnusable(dir, report);
    return lexicon;
}

TextEncoding encodingOption(const Args &args) {
    std::string name = args.value("encoding").value_or("auto");
    if (std::optional<TextEncoding> encoding = encodingFromName(name))
        return *encoding;
    throw UsageError("unknown encoding '" + name + "' (use auto, big5, utf8, utf16le or utf16be)");
}

std::string readInputBytes(const std::string &name) {
    return doc::readInputBytes(name);
}

void refuseBinary(const std::string &name, const DecodedText &decoded, TextEncoding asked) {
    doc::refuseBinary(name, decoded, asked);
}

void warnAboutDecoding(const std::string &name, const DecodedText &decoded) {
    if (std::string warning = doc::decodingWarning(name, decoded); !warning.empty())
        std::cerr << "yuedu-cli: warning: " << warning << "\n";
}

void noteExtraHanzi(const std::string &command, const std::string &name, std::int64_t total,
                    std::int64_t distinct) {
    if (total == 0)
        return;
    std::cerr << "yuedu-cli " << command << ": note: " << name << ": " << total << " hanzi ("
              << distinct << " distinct) have no record in the data; they count in the length "
              << "and the distinct hanzi, not in the figures read from records\n";
}

std::vector<InputText> readInputs(const Args &args) {
    TextEncoding encoding = encodingOption(args);
    std::vector<std::string> names = args.positional;
    if (names.empty())
        names.push_back("-");
    std::vector<InputText> inputs;
    for (const auto &name : names) {
        doc::InputText input = doc::readInputText(name, encoding);
        for (const auto &notice : input.notices)
            std::cerr << (notice.kind == doc::InputNotice::Kind::Note ? "yuedu-cli: note: "
                                                                      : "yuedu-cli: warning: ")
                      << notice.message << "\n";
        inputs.push_back({name, std::move(input.text)});
    }
    return inputs;
}

namespace {

[[noreturn]] void outputFailed() {
    const int error = errno;
    throw IoError("standard output", error ? std::strerror(error) : "write error");
}

} // namespace

void writeOut(std::string_view utf8) {
    errno = 0;
    std::cout.write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
    if (!std::cout)
        outputFailed();
}
void writeOut(std::u16string_view text) {
    writeOut(toUtf8(text));
}

void finishOutput() {
    errno = 0;
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout))
        outputFailed();
    if (std::fclose(stdout) != 0)
        outputFailed();
}

int jobsOption(const Args &args) {
    const auto value = args.value("jobs");
    if (!value) {
        const unsigned cores = std::thread::hardware_concurrency();
        return cores > 0 ? static_cast<int>(cores) : 1;
    }
    try {
        std::size_t used = 0;
        const int n = std::stoi(*value, &used);
        if (used == value->size() && n >= 1 && n <= 1024)
            return n;
    } catch (const std::exception &) {
    }
    throw UsageError("--jobs takes a number of threads from 1 to 1024, not '" + *value + "'");
}

std::int64_t numberOption(const Args &args, const std::string &name, std::int64_t fallback,
                          std::int64_t low, std::int64_t high) {
    const auto value = args.value(name);
    if (!value)
        return fallback;
    try {
        std::size_t used = 0;
        const long long n = std::stoll(*value, &used);
        if (used == value->size() && n >= low && n <= high)
            return n;
    } catch (const std::exception &) {
    }
    throw UsageError("--" + name + " takes a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not '" + *value + "'");
}

concord::WordCorpus readWordCorpus(const Args &args, const std::string &command,
                                   std::size_t firstInput, int &status) {
    const std::vector<std::string> paths(
        args.positional.begin() +
            static_cast<std::ptrdiff_t>(std::min(firstInput, args.positional.size())),
        args.positional.end());
    std::vector<concord::CorpusSource> sources;
    concord::CorpusOptions options;
    options.jobs = jobsOption(args);
    if (paths.empty() || (paths.size() == 1 && paths.front() == "-")) {
        // Standard input is read as the other commands read it, and never kept.
        Args input = args;
        input.positional = {"-"};
        for (auto &text : readInputs(input))
            sources.push_back({text.name, std::move(text.text)});
    } else {
        const compare::CollectedTexts collected = compare::collectTexts(paths);
        for (const auto &problem : collected.problems) {
            std::cerr << "yuedu-cli " << command << ": " << problem.path << ": " << problem.message
                      << "\n";
            if (!problem.emptyFolder)
                status = 1;
        }
        for (const auto &file : collected.files)
            sources.push_back({file, std::nullopt});
        if (!args.has("no-cache")) {
            options.cacheDir = concord::defaultCacheDir();
            options.dataStamp = concord::dataStamp(dataDir(args));
        }
    }
    if (sources.empty())
        throw Error("no texts to read");

    // The data and the dictionary are loaded only when a text has to be segmented: texts
    // already cut and kept need neither.
    std::unique_ptr<seg::Lexicon> lexicon;
    std::unique_ptr<seg::PhraseDivider> divider;
    auto makeDivider = [&]() -> const seg::PhraseDivider & {
        const LanguageData &data = languageData(args);
        lexicon = std::make_unique<seg::Lexicon>(seg::LoadLexicon(dataDir(args)));
        divider = std::make_unique<seg::PhraseDivider>(data, *lexicon);
        return *divider;
    };
    concord::CorpusBuild build = concord::buildCorpus(sources, options, makeDivider);
    for (const auto &failure : build.failures)
        std::cerr << "yuedu-cli " << command << ": " << failure.message << " (left out)\n";
    if (!build.failures.empty())
        status = 1;
    if (build.corpus.texts.empty())
        throw Error("no text could be read");
    return std::move(build.corpus);
}

} // namespace yuedu::cli
