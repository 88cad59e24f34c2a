#pragma once
// yuedu-cli subcommands. Each command lives in its own cmd_*.cpp and registers itself with a
// static CommandRegistration; main() dispatches on the first argument.
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "langdata/languagedata.h"
#include "langdata/textcodec.h"

namespace yuedu::cli {

struct Args {
    std::vector<std::string> positional;    // files, in order
    std::vector<std::string> flags;         // --name (no value), in order
    std::vector<std::pair<std::string, std::string>> options; // --name VALUE
    bool has(const std::string& flag) const;
    std::optional<std::string> value(const std::string& name) const;
};

struct Command {
    std::string name;
    std::string usage;   // one line: arguments after the command name
    std::string summary; // one line: what it does
    // Options of this command that take a value (besides the common --data-dir, --encoding).
    std::vector<std::string> valueOptions;
    std::function<int(const Args&)> run; // returns the exit status
};

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& commands();

// Shared services of the commands ------------------------------------------------------------

// The folder of the yuedu-cli executable.
std::filesystem::path exeDir();

// Loads the data files from --data-dir / YUEDU_DATA_DIR / beside the program / installed;
// problems are warned about on stderr and the run goes on with zero-filled tables.
const LanguageData& languageData(const Args& args);
std::filesystem::path dataDir(const Args& args);

// --encoding auto|big5|utf8 (default auto). Throws Error on an unknown name.
TextEncoding encodingOption(const Args& args);

// One input text: a file's content decoded, or standard input when no file is named ("-").
struct InputText {
    std::string name; // path, or "-" for standard input
    std::u16string text;
};
// Reads every named file (or standard input when none). Throws IoError with the path.
std::vector<InputText> readInputs(const Args& args);

// Writes UTF-16 text to stdout as UTF-8.
void writeOut(std::u16string_view text);
void writeOut(std::string_view utf8);

// A word frequency table in the freq command's form (word, count, percentage, order), of
// counts summed over several texts or tables.
std::u16string frequencyTableText(const compare::FrequencyCounts &counts);

} // namespace yuedu::cli
