#include "databuild/gradefile.h"

#include <unordered_set>

#include "common/errors.h"
#include "databuild/tablewriter.h"
#include "langdata/datalayout.h"
#include "langdata/textcodec.h"

namespace yuedu::databuild {
namespace {

std::string listName(int list) {
    return "grade list " + std::to_string(list + 1);
}

// Appends the entries of one word list (list 0..3) to the image.
void writeWordList(const std::vector<GradeEntry> &entries, int list, std::string &image,
                   GradeFileReport &report) {
    const std::size_t length = static_cast<std::size_t>(list + 1);
    const std::string name = listName(list);
    std::string table;
    table.reserve(layout::kGradeListSizes[list]);
    std::unordered_set<std::u16string> seen;
    std::size_t written = 0;
    for (const GradeEntry &e : entries) {
        const std::string what = name + " (" + toUtf8(e.word) + ")";
        if (e.word.size() != length)
            throw FormatError(name, "the word '" + toUtf8(e.word) + "' does not have " +
                                        std::to_string(length) + " characters");
        if (e.code < 1 || e.code > 127)
            throw FormatError(name, "the grade code " + std::to_string(e.code) + " of '" +
                                        toUtf8(e.word) + "' is outside 1..127");
        std::string bytes = encodeBig5Strict(e.word, what);
        if (!seen.insert(e.word).second) {
            ++report.duplicates;
            continue;
        }
        if (written == gradeListCapacity(list))
            throw FormatError(name, "more than " + std::to_string(gradeListCapacity(list)) +
                                        " entries do not fit the list");
        table += bytes;
        table.push_back(static_cast<char>(e.code));
        ++written;
    }
    report.entries[list] = written;
    report.bytesUsed[list] = table.size();
    table.resize(layout::kGradeListSizes[list], '\0');
    image += table;
}

void writeRankList(const std::u16string &rank, std::string &image, GradeFileReport &report) {
    const std::string name = listName(4);
    std::string table;
    std::unordered_set<char16_t> seen;
    for (char16_t c : rank) {
        std::string bytes = encodeBig5Strict(std::u16string_view(&c, 1), name);
        if (!seen.insert(c).second) {
            ++report.duplicates;
            continue;
        }
        if (table.size() == layout::kGradeListSizes[4])
            throw FormatError(name, "more than " + std::to_string(gradeListCapacity(4)) +
                                        " characters do not fit the rank list");
        table += bytes;
    }
    report.entries[4] = table.size() / 2;
    report.bytesUsed[4] = table.size();
    table.resize(layout::kGradeListSizes[4], '\0');
    image += table;
}

} // namespace

std::size_t gradeListCapacity(int list) {
    if (list < 0 || list > 4)
        return 0;
    const std::size_t entryBytes = list == 4 ? 2 : 2 * static_cast<std::size_t>(list + 1) + 1;
    return layout::kGradeListSizes[list] / entryBytes;
}

std::string buildGradeFile(const GradeSources &sources, GradeFileReport *report) {
    GradeFileReport local;
    std::string image;
    image.reserve(layout::kGradeFileSize);
    for (int list = 0; list < 4; ++list)
        writeWordList(sources.lists[list], list, image, local);
    writeRankList(sources.rankList, image, local);
    if (report)
        *report = local;
    return image;
}

} // namespace yuedu::databuild
