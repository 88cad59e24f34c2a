#pragma once
// yuedu-cli subcommands. Each command lives in its own cmd_*.cpp and registers itself with a
// static CommandRegistration; main() dispatches on the first argument.
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "common/errors.h"
#include "compare/comparison.h"
#include "concord/wordcorpus.h"
#include "langdata/languagedata.h"
#include "langdata/textcodec.h"
#include "segment/lexicon.h"

namespace yuedu::cli {

// A command line the command cannot run with (a bad option value, missing or extra operands):
// the message and the command's usage line, exit status 2.
class UsageError : public Error {
public:
    using Error::Error;
};

struct Args {
    std::vector<std::string> positional;                      // files, in order
    std::vector<std::string> flags;                           // --name (no value), in order
    std::vector<std::pair<std::string, std::string>> options; // --name VALUE
    bool has(const std::string &flag) const;
    std::optional<std::string> value(const std::string &name) const;
};

struct Command {
    std::string name;
    std::string usage;   // one line: arguments after the command name
    std::string summary; // one line: what it does
    // Options of this command that take a value (besides the common --data-dir, --encoding).
    std::vector<std::string> valueOptions;
    std::function<int(const Args &)> run; // returns the exit status
    // What this command's options do, one "  --name  text" line each, for COMMAND --help.
    std::string optionHelp = {};
};

// The options a command accepts: the common ones, its valueOptions and every --name its usage
// line shows. Anything else on its command line is an error.
bool acceptsOption(const Command &command, const std::string &name);
bool takesValue(const Command &command, const std::string &name);

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command> &commands();

// Shared services of the commands ------------------------------------------------------------

// The folder of the yuedu-cli executable.
std::filesystem::path exeDir();

// Loads the data files from --data-dir / YUEDU_DATA_DIR / beside the program / installed.
// A missing folder, a missing, damaged or changed file throws Error naming each file and what
// is wrong: no figure is ever computed from tables that are not the data.
const LanguageData &languageData(const Args &args);
// The word-class lists and the user's words of the data folder; a userword.apd that is there
// but cannot be read or is no text throws Error as the data files do.
seg::Lexicon loadLexicon(const Args &args);
std::filesystem::path dataDir(const Args &args);

// --encoding auto|big5|utf8|utf16le|utf16be (default auto). Throws Error on an unknown name.
TextEncoding encodingOption(const Args &args);

// One input text: a file's content decoded, or standard input when no file is named ("-").
struct InputText {
    std::string name; // path, or "-" for standard input
    std::u16string text;
};
// Reads every named file (or standard input when none). An RTF file (a saved result) is read
// as a document, by its content and not its name; a plain-text file is decoded, and a guess
// that was not clear-cut or needed replacements is warned about on stderr. Throws IoError with
// the path and the reason.
std::vector<InputText> readInputs(const Args &args);
// Throws IoError when the decoding found bytes that are no text (a program, an image, a format
// Yuedu does not read) and no encoding was asked for: such bytes are never analysed.
void refuseBinary(const std::string &name, const DecodedText &decoded, TextEncoding asked);
// The warning readInputs gives about a decoded file (none for a clean, clear-cut reading).
void warnAboutDecoding(const std::string &name, const DecodedText &decoded);

// Says on standard error how many hanzi of a text have no record in the data (hanzi outside
// code page 950): they count in the length and the distinct characters, not in the figures
// read from records. Nothing for a text without such hanzi.
void noteExtraHanzi(const std::string &command, const std::string &name, std::int64_t total,
                    std::int64_t distinct);

// The bytes of one named file, or of standard input for "-". Throws IoError with the path and
// the system's reason (a folder is refused as one).
std::string readInputBytes(const std::string &name);

// Write UTF-16 text (as UTF-8) or UTF-8 to standard output. A failed write throws IoError, so
// a full disk or a closed pipe ends the command with a message instead of a silent success.
void writeOut(std::u16string_view text);
void writeOut(std::string_view utf8);
// Flushes and closes standard output; throws IoError when anything written was lost.
void finishOutput();

// A word frequency table in the freq command's form (word, count, percentage, order), of
// counts summed over several texts or tables.
std::u16string frequencyTableText(const compare::FrequencyCounts &counts);

// --jobs N (1..1024); the number of processors when not given. Throws Error for another value.
int jobsOption(const Args &args);

// --NAME N, a whole number from low to high; fallback when not given. Throws Error otherwise.
std::int64_t numberOption(const Args &args, const std::string &name, std::int64_t fallback,
                          std::int64_t low, std::int64_t high);

// The texts a corpus command names (files and folders, as compare takes them; standard input
// when none is named) cut into words, kept for the next run unless --no-cache is given.
// Problems are reported on stderr with the command's name; status is set to 1 for a text that
// could not be read. Throws Error when no text at all could be read.
concord::WordCorpus readWordCorpus(const Args &args, const std::string &command,
                                   std::size_t firstInput, int &status);

} // namespace yuedu::cli
