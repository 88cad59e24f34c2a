// yuedu-cli attrs: the distinct hanzi of each text by radical, strokes, Bopomofo, tone and
// general-use level, as the attribute tree shows them.
#include <iostream>
#include <string>

#include "article/articleattributes.h"
#include "cli/command.h"

namespace yuedu::cli {
namespace {

int runAttrs(const Args &args) {
    const LanguageData &data = languageData(args);
    const auto inputs = readInputs(args);
    int status = 0;
    bool first = true;
    for (const auto &input : inputs) {
        const article::AttributeResult attributes = article::artattri(data, input.text);
        noteExtraHanzi("attrs", input.name, attributes.extraHanzi, attributes.extraDistinct);
        if (!attributes.found()) {
            std::cerr << "yuedu-cli attrs: " << input.name
                      << (attributes.extraHanzi > 0 ? ": the text has no hanzi with a record\n"
                                                    : ": the text has no hanzi\n");
            status = 1;
            continue;
        }
        if (inputs.size() > 1)
            writeOut((first ? "" : "\n") + std::string("==> ") + input.name + " <==\n");
        first = false;
        writeOut(article::attributeTreeText(attributes.attributeTree()));
    }
    return status;
}

const CommandRegistration registration({
    "attrs",
    "[FILE...]",
    "article attribute distribution: the tree of radicals, strokes, Bopomofo, tones, levels",
    {},
    runAttrs,
});

} // namespace
} // namespace yuedu::cli
