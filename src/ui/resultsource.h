#pragma once
// Where a result came from: the document it was computed from, whether only a selection of it
// was analysed, and when. Every result window and every export names it with the totals, so a
// figure is never read as that of another text.
#include <QDateTime>
#include <QString>
#include <string>
#include <vector>

namespace yuedu::ui {

struct ResultSource {
    QString name;           // the document's title, or its file name
    bool selection = false; // only the selected part was analysed
    QDateTime time;

    // "name" or "name（選取範圍）".
    QString describe() const;
    // The status line of a result window: source, time and the totals given.
    QString statusLine(const QString &totals) const;
};

// The totals of a word statistic: "總詞數 N　相異詞數 M".
QString wordTotalsText(long long words, unsigned long long distinct);

// An export as UTF-8 CSV: two heading rows (the source, the totals), a blank row, then rows.
std::string csvExport(const ResultSource &source, const QString &totals,
                      const std::vector<std::vector<std::u16string>> &rows);
// An export as UTF-8 text: the source and totals lines, a blank line, then body.
std::string textExport(const ResultSource &source, const QString &totals, const std::string &body);

} // namespace yuedu::ui
