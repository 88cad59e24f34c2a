#pragma once
// Where a result came from: the document it was computed from, whether only a selection of it
// was analysed, when, with which settings and which data. Every result window and every export
// names it with the totals, so a figure is never read as that of another text.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace yuedu::ui {

struct ResultSource {
    QString name;           // the document's title, or its file name; a corpus's description
    bool selection = false; // only the selected part was analysed
    QDateTime time;
    QString settings; // what the user chose for this run ("體裁：詩歌類、非對話類"), if anything
    QString dataVersion; // the fingerprint of the data the figures come from
    QStringList texts;   // the texts of a corpus, one each

    // "name" or "name（選取範圍）".
    QString describe() const;
    // The status line of a result window: source, settings, time and the totals given.
    QString statusLine(const QString &totals) const;
};

// What an export says about a result beyond its source: the totals, and for a result that is
// not whole, that it is not and which texts it leaves out.
struct ExportNotes {
    QString totals;
    bool partial = false;
    QString partialReason;                            // "已取消", ...
    std::vector<std::pair<QString, QString>> leftOut; // text, reason
};

// The totals of a word statistic: "總詞數 N　相異詞數 M".
QString wordTotalsText(long long words, unsigned long long distinct);

// The heading block every export starts with, one row a line: 來源, 日期, 程式版本, 資料版本,
// 設定, 總計, then 狀態 and 未列入 for a partial result, then an empty row.
std::vector<std::vector<std::u16string>> exportHeading(const ResultSource &source,
                                                       const ExportNotes &notes);

// An export as UTF-8 CSV (the one dialect): the heading block, then rows, the first of which
// names the columns.
std::string csvExport(const ResultSource &source, const ExportNotes &notes,
                      const std::vector<std::vector<std::u16string>> &rows);
std::string csvExport(const ResultSource &source, const QString &totals,
                      const std::vector<std::vector<std::u16string>> &rows);
// An export as UTF-8 text: the heading block as "name：value" lines, then body.
std::string textExport(const ResultSource &source, const QString &totals, const std::string &body);

} // namespace yuedu::ui
