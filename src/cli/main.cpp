// yuedu-cli: the analyses of Yuedu for batch work, one subcommand each.
#include <cstring>
#include <iostream>

#include "cli/command.h"
#include "common/errors.h"

using namespace yuedu;

namespace {

void usage(std::ostream& out) {
    out << "usage: yuedu-cli COMMAND [--data-dir DIR] [--encoding auto|big5|utf8] [options] "
           "[FILE...]\n\ncommands:\n";
    for (const auto& c : cli::commands())
        out << "  " << c.name << " " << c.usage << "\n      " << c.summary << "\n";
    out << "\nWithout FILE (or with -) the text is read from standard input.\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        usage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    const cli::Command* command = nullptr;
    for (const auto& c : cli::commands())
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
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::string name = a.substr(2);
            std::string value;
            bool hasValue = false;
            if (auto eq = name.find('='); eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
                hasValue = true;
            }
            bool takesValue = name == "data-dir" || name == "encoding";
            for (const auto& v : command->valueOptions)
                takesValue = takesValue || v == name;
            if (takesValue && !hasValue) {
                if (i + 1 >= argc) {
                    std::cerr << "yuedu-cli: --" << name << " needs a value\n";
                    return 2;
                }
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
    if (args.has("help")) {
        std::cout << "usage: yuedu-cli " << command->name << " " << command->usage << "\n"
                  << command->summary << "\n";
        return 0;
    }
    try {
        return command->run(args);
    } catch (const std::exception& e) {
        std::cerr << "yuedu-cli " << command->name << ": " << e.what() << "\n";
        return 1;
    }
}
