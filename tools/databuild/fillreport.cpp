#include "databuild/fillreport.h"

#include "langdata/big5.h"
#include "langdata/datalayout.h"

namespace yuedu::databuild {
namespace {

void line(std::string &out, const std::string &label, std::size_t used) {
    out += label + ": " + std::to_string(used) + "\n";
}
void line(std::string &out, const std::string &label, std::size_t used, std::size_t capacity) {
    out += label + ": " + std::to_string(used) + " of " + std::to_string(capacity) + "\n";
}

} // namespace

std::string FillReport::text() const {
    std::string out = "gdphvbdn.byt\n";
    for (int i = 0; i < 4; ++i) {
        const std::string name = "grade list " + std::to_string(i + 1);
        line(out, name + " entries", grades.entries[i], gradeListCapacity(i));
        line(out, name + " bytes", grades.bytesUsed[i], layout::kGradeListSizes[i]);
    }
    line(out, "grade list 5 characters", grades.entries[4], gradeListCapacity(4));
    line(out, "grade list repeats left out", grades.duplicates);

    out += "dpphvbdn.byt\n";
    line(out, "dictionary words of 2 characters", seg.words2);
    line(out, "dictionary words of 3 characters", seg.words3);
    line(out, "dictionary words of 4 characters", seg.words4);
    line(out, "dictionary words left out for room", seg.dropped);
    line(out, "two-character word table bytes", seg.wordBytes, layout::kSegWordSize);
    line(out, "long-word table bytes", seg.auxBytes, layout::kSegAuxSize);
    // Words left out because a table was full are counted above; list anything else.
    std::size_t listed = 0;
    for (const std::string &p : seg.problems)
        if (p.find("full") == std::string::npos &&
            p.find("further problems") == std::string::npos && listed++ < 20)
            out += "problem: " + p + "\n";

    out += "phwdvbdn.byt\n";
    line(out, "sense words of 1 character", senses.words[0], kTableChars);
    for (int i = 1; i < 4; ++i)
        line(out, "sense words of " + std::to_string(i + 1) + " characters", senses.words[i]);
    line(out, "sense word repeats left out", senses.duplicates);
    line(out, "sense word table bytes", senses.wordBytes, layout::kSenseWordSize);
    line(out, "characters with a record", senses.charRecords, kTableChars);
    line(out, "detail records", senses.detailRecords, layout::kDetailRecords);

    out += "userword.apd\n";
    line(out, "user word lines", userWordLines);
    for (const std::string &n : notes)
        out += "note: " + n + "\n";
    return out;
}

} // namespace yuedu::databuild
