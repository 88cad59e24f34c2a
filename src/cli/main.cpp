// yuedu-cli: the analyses of Yuedu for batch work, one subcommand each.
#include <cstring>
#include <iostream>
#include <new>

#include "cli/command.h"
#include "common/errors.h"
#include "common/version.h"

using namespace yuedu;

namespace {

const char *const kCommonOptions =
    "  --data-dir DIR     the folder of the data files\n"
    "  --encoding NAME    the encoding of plain-text input: auto (the default), big5, utf8,\n"
    "                     utf16le or utf16be\n"
    "  --help             this help\n";

void usage(std::ostream &out) {
    out << "usage: yuedu-cli COMMAND [--data-dir DIR] [--encoding auto|big5|utf8|utf16le|utf16be] "
           "[options] [FILE...]\n       yuedu-cli --version\n\ncommands:\n";
    for (const auto &c : cli::commands())
        out << "  " << c.name << " " << c.usage << "\n      " << c.summary << "\n";
    out << "\nWithout FILE (or with -) the text is read from standard input. A saved result\n"
           "(RTF) is read as a document. yuedu-cli COMMAND --help shows one command's options.\n";
}

void commandUsage(std::ostream &out, const cli::Command &command) {
    out << "usage: yuedu-cli " << command.name << " " << command.usage << "\n";
}

// A usage error: the message, the command's usage line, exit status 2.
int misuse(const cli::Command &command, const std::string &message) {
    std::cerr << "yuedu-cli " << command.name << ": " << message << "\n";
    commandUsage(std::cerr, command);
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    // A message on standard error must not flush standard output behind our back: a write error
    // there would then be found later, its reason lost.
    std::cerr.tie(nullptr);
    if (argc < 2) {
        usage(std::cerr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
        !std::strcmp(argv[1], "--version")) {
        if (!std::strcmp(argv[1], "--version"))
            std::cout << "yuedu-cli " << kVersion << "\n";
        else
            usage(std::cout);
        // Like any other output, help that could not be written is a failure.
        try {
            cli::finishOutput();
        } catch (const std::exception &e) {
            std::cerr << "yuedu-cli: " << e.what() << "\n";
            return 1;
        }
        return 0;
    }
    const cli::Command *command = nullptr;
    for (const auto &c : cli::commands())
        if (c.name == argv[1])
            command = &c;
    if (!command) {
        std::cerr << "yuedu-cli: unknown command '" << argv[1] << "'\n";
        usage(std::cerr);
        return 2;
    }
    cli::Args args;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--") {
            for (++i; i < argc; ++i)
                args.positional.push_back(argv[i]);
            break;
        }
        // A one-letter option the command has (ngrams -n) is its long form.
        if (a.size() == 2 && a[0] == '-' && a[1] != '-' && cli::takesValue(*command, a.substr(1)))
            a = "-" + a;
        if (a.size() > 1 && a[0] == '-' && a.rfind("--", 0) != 0)
            return misuse(*command, "unknown option '" + a + "'");
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::string name = a.substr(2);
            std::string value;
            bool hasValue = false;
            if (auto eq = name.find('='); eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
                hasValue = true;
            }
            // A misspelt option would otherwise quietly give another result.
            if (!cli::acceptsOption(*command, name))
                return misuse(*command, "unknown option '--" + name + "'");
            const bool takesValue = cli::takesValue(*command, name);
            if (!takesValue && hasValue)
                return misuse(*command, "option '--" + name + "' takes no value");
            if (takesValue && !hasValue) {
                if (i + 1 >= argc)
                    return misuse(*command, "option '--" + name + "' needs a value");
                value = argv[++i];
                hasValue = true;
            }
            if (hasValue)
                args.options.emplace_back(name, value);
            else
                args.flags.push_back(name);
            continue;
        }
        args.positional.push_back(a);
    }
    try {
        cli::encodingOption(args);
    } catch (const Error &e) {
        return misuse(*command, e.what());
    }
    try {
        int status;
        if (args.has("help")) {
            commandUsage(std::cout, *command);
            std::cout << command->summary << "\n\noptions:\n"
                      << command->optionHelp << kCommonOptions;
            status = 0;
        } else {
            status = command->run(args);
        }
        cli::finishOutput();
        return status;
    } catch (const cli::UsageError &e) {
        return misuse(*command, e.what());
    } catch (const std::bad_alloc &) {
        std::cerr << "yuedu-cli " << command->name
                  << ": out of memory (the input is too large for this machine)\n";
    } catch (const std::exception &e) {
        std::cerr << "yuedu-cli " << command->name << ": " << e.what() << "\n";
    }
    return 1;
}
