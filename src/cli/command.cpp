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
#include <unistd.h>

#include "common/errors.h"
#include "docfile/inputtext.h"
#include "langdata/scriptconvert.h"

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
    if (name == "help" || name == "to-traditional" || takesValue(command, name))
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

const LanguageData &languageData(const Args &args) {
    static std::unique_ptr<LanguageData> data;
    if (!data) {
        data = std::make_unique<LanguageData>();
        auto dir = dataDir(args);
        LoadReport report = loaddata(dir, *data);
        for (const auto &p : report.problems)
            std::cerr << "yuedu-cli: warning: " << (dir / p.file).string() << ": " << p.message
                      << "\n";
    }
    return *data;
}

TextEncoding encodingOption(const Args &args) {
    const std::string name = args.value("encoding").value_or("auto");
    if (const std::optional<TextEncoding> e = encodingFromName(name))
        return *e;
    throw Error("unknown encoding '" + name +
                "' (use auto, big5, utf8, utf16le, utf16be, gb18030, utf32le or utf32be)");
}

bool toTraditionalOption(const Args &args) {
    return args.has("to-traditional");
}

void convertAndNote(const Args &args, const std::string &name, std::u16string &text,
                    bool simplified) {
    for (const ScriptNote &note : applyToTraditional(text, simplified, toTraditionalOption(args)))
        std::cerr << "yuedu-cli: " << (note.warning ? "warning: " : "note: ") << name << ": "
                  << note.text << "\n";
}

std::string readInputBytes(const std::string &name) {
    return doc::readInputBytes(name);
}

void warnAboutDecoding(const std::string &name, const DecodedText &decoded) {
    if (std::string warning = doc::decodingWarning(name, decoded); !warning.empty())
        std::cerr << "yuedu-cli: warning: " << warning << "\n";
}

std::vector<InputText> readInputs(const Args &args) {
    TextEncoding encoding = encodingOption(args);
    std::vector<std::string> names = args.positional;
    if (names.empty())
        names.push_back("-");
    std::vector<InputText> inputs;
    for (const auto &name : names) {
        doc::InputText input = doc::readInputText(name, encoding, toTraditionalOption(args));
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

} // namespace yuedu::cli
