// yuedu-cli segment: word segmentation of each text, written exactly as the result document
// holds it (two blanks after every word, CR LF line ends, a final CR LF), in UTF-8.
#include <iostream>
#include <string>

#include "cli/command.h"
#include "common/errors.h"
#include "segment/lexicon.h"
#include "segment/phrasedivider.h"

namespace yuedu::cli {
namespace {

int runSegment(const Args &args) {
    encodingOption(args); // an unknown encoding is an error before anything is read
    const LanguageData &data = languageData(args);
    const seg::Lexicon lexicon = seg::LoadLexicon(dataDir(args));
    const seg::PhraseDivider divider(data, lexicon);

    std::vector<std::string> names = args.positional;
    if (names.empty())
        names.push_back("-");
    // One file after another; a file that cannot be read is reported and the others still run.
    int status = 0;
    for (const auto &name : names) {
        Args one = args;
        one.positional = {name};
        std::vector<InputText> inputs;
        try {
            inputs = readInputs(one);
        } catch (const Error &e) {
            std::cerr << "yuedu-cli segment: " << e.what() << "\n";
            status = 1;
            continue;
        }
        // Lines are gathered into blocks of UTF-8 before writing: a write a line costs more
        // than segmenting it.
        std::string block;
        const auto flush = [&block] {
            writeOut(std::string_view(block));
            block.clear();
        };
        for (const auto &input : inputs) {
            divider.DivideText(input.text, [&](std::u16string_view line) {
                block += toUtf8(line);
                if (block.size() >= 1 << 16)
                    flush();
            });
        }
        flush();
    }
    return status;
}

const CommandRegistration registration({
    "segment",
    "[FILE...]",
    "word segmentation: every word followed by two blanks, 12 then 13 words a line",
    {},
    runSegment,
});

} // namespace
} // namespace yuedu::cli
