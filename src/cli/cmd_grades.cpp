// yuedu-cli grades: vocabulary grade levels of segmented text, one tab-separated row per
// distinct word; --tree adds the seven grade groups with their words.
#include <iostream>

#include "cli/command.h"
#include "cli/textstream.h"
#include "report/numberformat.h"
#include "report/tsv.h"
#include "wordstats/frequency.h"
#include "wordstats/gradecode.h"
#include "wordstats/gradetree.h"

namespace yuedu::cli {
namespace {

using namespace wordstats;

int runGrades(const Args &args) {
    // The texts are read before the data is loaded, so a text that cannot be read is the error
    // reported first.
    const WordTally words = tallyInputWords(args);
    const GradeResult result = VocabularyGrades(GradeCoder(languageData(args)), words);
    if (result.empty()) {
        std::cerr << "yuedu-cli grades: no words found; words of segmented text are each "
                     "followed by two blanks\n";
        return 1;
    }
    std::u16string out;
    for (std::size_t i = 0; i < result.size(); ++i)
        report::appendTsvRow(out, {result.words[i].word, result.gradeText(i),
                                   report::decimalText(result.words[i].count),
                                   report::decimalText(static_cast<std::int64_t>(i) + 1)});
    if (args.has("tree")) {
        out += u'\n';
        std::vector<report::TreeNode> nodes = gradeTreeNodes(result);
        out += nodes.front().text + u'\n';
        for (std::size_t k = 1; k < nodes.size(); ++k)
            report::appendTsvRow(out,
                                 {u"  " + nodes[k].text, report::wordListField(nodes[k].words)});
    }
    writeOut(out);
    std::cerr << "yuedu-cli grades: " << result.WordTotal << " words, " << result.size()
              << " distinct\n";
    return 0;
}

const CommandRegistration registration({
    "grades",
    "[--tree] FILE...",
    "vocabulary grade levels: word, grade, count, order (tab-separated); --tree adds the seven "
    "grade groups with their words",
    {},
    runGrades,
    "  --tree             add the seven grade groups with their words\n",
});

} // namespace
} // namespace yuedu::cli
