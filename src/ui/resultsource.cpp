#include "ui/resultsource.h"

#include "common/version.h"
#include "report/csv.h"

namespace yuedu::ui {
namespace {

QString timeText(const QDateTime &time) {
    return time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

std::u16string u16(const QString &s) {
    return s.toStdU16String();
}

} // namespace

QString ResultSource::describe() const {
    const QString shown = name.isEmpty() ? QStringLiteral("未命名") : name;
    return selection ? shown + QStringLiteral("（選取範圍）") : shown;
}

QString wordTotalsText(long long words, unsigned long long distinct) {
    return QStringLiteral("總詞數 %1　相異詞數 %2").arg(words).arg(distinct);
}

QString ResultSource::statusLine(const QString &totals) const {
    QString line = QStringLiteral("來源：") + describe();
    if (!settings.isEmpty())
        line += QStringLiteral("　") + settings;
    if (time.isValid())
        line += QStringLiteral("　") + timeText(time);
    if (!totals.isEmpty())
        line += QStringLiteral("　") + totals;
    return line;
}

std::vector<std::vector<std::u16string>> exportHeading(const ResultSource &source,
                                                       const ExportNotes &notes) {
    std::vector<std::vector<std::u16string>> rows;
    rows.push_back({u"來源", u16(source.describe())});
    for (const QString &text : source.texts)
        rows.push_back({u"文章", u16(text)});
    rows.push_back({u"日期", u16(timeText(source.time))});
    rows.push_back({u"程式版本", u16(QString::fromLatin1(kVersion))});
    rows.push_back({u"資料版本", u16(source.dataVersion)});
    if (!source.settings.isEmpty())
        rows.push_back({u"設定", u16(source.settings)});
    rows.push_back({u"總計", u16(notes.totals)});
    if (notes.partial)
        rows.push_back({u"狀態", u16((notes.partialReason.isEmpty() ? QStringLiteral("未完成")
                                                                    : notes.partialReason) +
                                     QStringLiteral("：只含完成的部分，不是全部結果"))});
    for (const auto &[text, reason] : notes.leftOut)
        rows.push_back({u"未列入", u16(text), u16(reason)});
    rows.push_back({});
    return rows;
}

std::string csvExport(const ResultSource &source, const ExportNotes &notes,
                      const std::vector<std::vector<std::u16string>> &rows) {
    std::vector<std::vector<std::u16string>> all = exportHeading(source, notes);
    all.insert(all.end(), rows.begin(), rows.end());
    return report::csvDocument(all);
}

std::string csvExport(const ResultSource &source, const QString &totals,
                      const std::vector<std::vector<std::u16string>> &rows) {
    return csvExport(source, ExportNotes{totals, false, {}, {}}, rows);
}

std::string textExport(const ResultSource &source, const QString &totals, const std::string &body) {
    QString heading;
    for (const auto &row : exportHeading(source, ExportNotes{totals, false, {}, {}})) {
        QStringList cells;
        for (const auto &cell : row)
            cells << QString::fromStdU16String(cell);
        if (cells.isEmpty()) {
            heading += u'\n';
            continue;
        }
        const QString name = cells.takeFirst();
        heading += name + QStringLiteral("：") + cells.join(u'\t') + u'\n';
    }
    return heading.toStdString() + body;
}

} // namespace yuedu::ui
