#include "cli/command.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <unistd.h>

#include "common/errors.h"

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
    std::string name = args.value("encoding").value_or("auto");
    if (name == "auto")
        return TextEncoding::Auto;
    if (name == "big5" || name == "cp950")
        return TextEncoding::Big5;
    if (name == "utf8" || name == "utf-8")
        return TextEncoding::Utf8;
    throw Error("unknown encoding '" + name + "' (use auto, big5 or utf8)");
}

std::vector<InputText> readInputs(const Args &args) {
    TextEncoding encoding = encodingOption(args);
    std::vector<std::string> names = args.positional;
    if (names.empty())
        names.push_back("-");
    std::vector<InputText> inputs;
    for (const auto &name : names) {
        std::string bytes;
        if (name == "-") {
            bytes.assign(std::istreambuf_iterator<char>(std::cin),
                         std::istreambuf_iterator<char>());
        } else {
            std::error_code ec;
            if (std::filesystem::is_directory(name, ec))
                throw IoError(name, "is a folder, not a text file");
            std::ifstream in(name, std::ios::binary);
            if (!in)
                throw IoError(name, "cannot be opened");
            // One read of the whole file into a buffer of its size (a file that grows meanwhile
            // is read to its end all the same).
            const std::uintmax_t size = std::filesystem::file_size(name, ec);
            if (!ec)
                bytes.resize(static_cast<std::size_t>(size));
            bytes.resize(static_cast<std::size_t>(
                in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())).gcount()));
            if (in) {
                std::ostringstream rest;
                rest << in.rdbuf();
                bytes += std::move(rest).str();
            }
            if (in.bad())
                throw IoError(name, "read error");
        }
        inputs.push_back({name, decodeText(bytes, encoding)});
    }
    return inputs;
}

void writeOut(std::string_view utf8) {
    std::cout.write(utf8.data(), utf8.size());
}
void writeOut(std::u16string_view text) {
    writeOut(toUtf8(text));
}

} // namespace yuedu::cli
