#include "ui/resultsource.h"

#include "report/csv.h"

namespace yuedu::ui {
namespace {

QString timeText(const QDateTime &time) {
    return time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
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
    if (time.isValid())
        line += QStringLiteral("　") + timeText(time);
    if (!totals.isEmpty())
        line += QStringLiteral("　") + totals;
    return line;
}

std::string csvExport(const ResultSource &source, const QString &totals,
                      const std::vector<std::vector<std::u16string>> &rows) {
    std::vector<std::vector<std::u16string>> all;
    all.reserve(rows.size() + 3);
    all.push_back(
        {u"來源", source.describe().toStdU16String(), timeText(source.time).toStdU16String()});
    all.push_back({u"總計", totals.toStdU16String()});
    all.push_back({});
    all.insert(all.end(), rows.begin(), rows.end());
    return report::csvDocument(all);
}

std::string textExport(const ResultSource &source, const QString &totals, const std::string &body) {
    const QString heading =
        source.statusLine(QString()) + QStringLiteral("\n") + totals + QStringLiteral("\n\n");
    return heading.toStdString() + body;
}

} // namespace yuedu::ui
