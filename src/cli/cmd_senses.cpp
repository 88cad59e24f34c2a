// yuedu-cli senses: the distinct words of segmented text in the sense taxonomy.
#include <iostream>

#include "cli/command.h"
#include "cli/textstream.h"
#include "report/tsv.h"
#include "wordstats/senses.h"
#include "wordstats/taxonomy.h"

namespace yuedu::cli {
namespace {

using namespace wordstats;

int runSenses(const Args &args) {
    const WordTally words = tallyInputWords(args); // read before the data is loaded
    const SenseResult result = SenseClasses(languageData(args), words);
    if (result.WordTotal == 0) {
        std::cerr << "yuedu-cli senses: no words found; words of segmented text are each "
                     "followed by two blanks\n";
        return 1;
    }
    // Every category line is written, also without words; a class line only with words.
    std::u16string out;
    std::vector<report::TreeNode> nodes = senseTreeNodes(result.SenseClassLists);
    for (int c = 1; c <= kSenseCategoryCount; ++c) {
        out += nodes[static_cast<std::size_t>(c) - 1].text + u'\n';
        for (const report::TreeNode &node : nodes)
            if (node.parent == c)
                report::appendTsvRow(out, {u"  " + node.text, report::wordListField(node.words)});
    }
    writeOut(out);
    std::cerr << "yuedu-cli senses: " << result.WordTotal << " words, " << result.words.size()
              << " distinct, " << result.classifiedCount() << " classified\n";
    return 0;
}

const CommandRegistration registration({
    "senses",
    "FILE...",
    "sense classes of the distinct words of segmented text, shown in the sense taxonomy",
    {},
    runSenses,
});

} // namespace
} // namespace yuedu::cli
