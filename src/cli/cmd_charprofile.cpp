// yuedu-cli charprofile: the 25 profile figures of every hanzi of each text, in text order with
// repeats, one tab-separated line a character.
#include <iostream>
#include <string>

#include "charprofile/characterprofile.h"
#include "cli/command.h"
#include "langdata/big5.h"
#include "langdata/hanzi.h"
#include "report/tsv.h"

namespace yuedu::cli {
namespace {

int runCharProfile(const Args &args) {
    const LanguageData &data = languageData(args);
    const auto inputs = readInputs(args);
    // With several files a first column names the file of each line.
    const bool fileColumn = inputs.size() > 1;
    std::string header = fileColumn ? "file\tchar" : "char";
    for (int e = 1; e <= charprofile::kProfileEntries; ++e)
        header += "\t" + std::string(charprofile::wordProfileFieldName(e));
    writeOut(header + "\n");

    int status = 0;
    for (const auto &input : inputs) {
        // Fields the data never fills are left empty: a 0 there would read as measured.
        const charprofile::CharProfileResult result =
            charprofile::characterProfiles(data, input.text);
        if (result.empty()) {
            std::cerr << "yuedu-cli charprofile: " << input.name
                      << (result.extraHanzi > 0 ? ": the text has no hanzi with a record\n"
                                                : ": the text has no hanzi\n");
            status = 1;
        }
        noteExtraHanzi("charprofile", input.name, static_cast<std::int64_t>(result.extraHanzi),
                       static_cast<std::int64_t>(countExtraHanzi(input.text).distinct));
        const std::u16string prefix =
            fileColumn ? report::tsvField(fromUtf8(input.name)) + u"\t" : u"";
        std::u16string out;
        for (std::size_t i = 0; i < result.size(); ++i) {
            const charprofile::CharFigures figures = result.at(data, i);
            out += prefix;
            out += figures.ch;
            for (int e = 1; e <= charprofile::kProfileEntries; ++e)
                out += u"\t" + charprofile::figureText(result, figures, e);
            out += u"\n";
            // Written as it goes: the whole result is some 40 times the text.
            if (out.size() >= 1 << 15) {
                writeOut(out);
                out.clear();
            }
        }
        writeOut(out);
    }
    return status;
}

const CommandRegistration registration({
    "charprofile",
    "[FILE...]",
    "character profile: the 25 figures of every hanzi of each text, tab-separated",
    {},
    runCharProfile,
});

} // namespace
} // namespace yuedu::cli
