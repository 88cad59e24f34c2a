// yuedu-cli grades: vocabulary grade levels of segmented text, one tab-separated row per
// distinct word; --tree adds the seven grade groups with their words.
#include <iostream>

#include "cli/command.h"
#include "wordstats/gradetree.h"
#include "wordstats/tabletext.h"
#include "wordstats/toolsort.h"

namespace yuedu::cli {
namespace {

int runGrades(const Args &args) {
    WordList words;
    for (const auto &input : readInputs(args))
        ScanPieces(crlfLineBreaks(input.text), PieceScan::Clean, words);
    Toolsort toolsort(languageData(args));
    toolsort.VocabularyGrades(std::move(words));
    if (toolsort.GradeWords.empty()) {
        std::cerr << "yuedu-cli grades: no words found; words of segmented text are each "
                     "followed by two blanks\n";
        return 0;
    }
    std::u16string out;
    for (std::size_t i = 0; i < toolsort.GradeWords.size(); ++i)
        appendRow(out, {escapeField(toolsort.GradeWords[i]), toolsort.gradeText(i),
                        decimalText(toolsort.GradeCounts[i]),
                        decimalText(static_cast<std::int64_t>(i) + 1)});
    if (args.has("tree")) {
        out += u'\n';
        std::vector<TreeNode> nodes = gradeTreeNodes(toolsort);
        out += nodes.front().text + u'\n';
        for (std::size_t k = 1; k < nodes.size(); ++k)
            appendRow(out, {u"  " + nodes[k].text, joinWords(nodes[k].words)});
    }
    writeOut(out);
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
