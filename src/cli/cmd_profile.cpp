// yuedu-cli profile: the structure profile of each text, as the profile window shows it.
#include <iostream>
#include <string>

#include "article/articleprofile.h"
#include "article/profiletext.h"
#include "cli/command.h"

namespace yuedu::cli {
namespace {

int runProfile(const Args &args) {
    const LanguageData &data = languageData(args);
    const auto inputs = readInputs(args);
    const article::ArticleGenre genre{args.has("poetry"), args.has("dialogue")};
    const bool json = args.has("json");
    int status = 0;
    bool first = true;
    for (const auto &input : inputs) {
        const article::ProfileResult profile = article::artprofile(data, input.text, genre);
        if (!profile.done()) {
            std::cerr << "yuedu-cli profile: " << input.name
                      << ": the text has no hanzi to profile\n";
            status = 1;
            continue;
        }
        noteExtraHanzi("profile", input.name, profile.extraHanzi, profile.extraDistinct);
        if (json) {
            writeOut(article::profileJsonLine(input.name, profile));
            continue;
        }
        if (inputs.size() > 1)
            writeOut((first ? "" : "\n") + std::string("==> ") + input.name + " <==\n");
        first = false;
        std::u16string out;
        for (const auto &field : article::profileFields())
            out += article::profileFieldText(field, profile) + u"\n";
        writeOut(out);
    }
    return status;
}

const CommandRegistration registration({
    "profile",
    "[--poetry] [--dialogue] [--json] [FILE...]",
    "article structure profile: the 21 figures of each text (genre: poetry, dialogue)",
    {},
    runProfile,
    "  --poetry           the text is poetry\n"
    "  --dialogue         the text is dialogue\n"
    "  --json             one JSON object a text instead of the labelled lines\n",
});

} // namespace
} // namespace yuedu::cli
