#pragma once
// How full each table of the written data files is, as printed by --report and written beside
// the files (databuild-report.txt), one "label: used[ of capacity]" line each.
#include <string>
#include <vector>

#include "databuild/gradefile.h"
#include "databuild/segdict.h"
#include "databuild/sensefile.h"

namespace yuedu::databuild {

struct FillReport {
    GradeFileReport grades;
    SegDictReport seg;
    SenseFileReport senses;
    std::size_t userWordLines = 0;
    std::vector<std::string> notes;

    std::string text() const;
};

inline constexpr const char *kReportFileName = "databuild-report.txt";

} // namespace yuedu::databuild
