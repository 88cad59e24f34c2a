#pragma once
// Reads back what the program exports as CSV, as a spreadsheet would: the byte-order mark, CR LF
// lines, quoted cells with doubled quotes. For tests of the exports.
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

namespace yuedu::testsupport {

struct CsvFile {
    bool bom = false;
    QList<QStringList> rows;

    // The value of a heading row ("來源", "總計", ...): the cell after its name.
    QString heading(const QString &name) const {
        for (const QStringList &row : rows) {
            if (row.isEmpty() || row == QStringList{QString()})
                break; // the heading ends at the first empty row
            if (row.first() == name)
                return row.value(1);
        }
        return {};
    }
    // The rows after the heading block (the column names first).
    QList<QStringList> table() const {
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (rows[i] == QStringList{QString()})
                return rows.mid(i + 1);
        return {};
    }
};

inline CsvFile parseCsv(const QByteArray &bytes) {
    CsvFile file;
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) {
        file.bom = true;
        data.remove(0, 3);
    }
    const QString text = QString::fromUtf8(data);
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            row << cell;
            file.rows << row;
            row.clear();
            cell.clear();
            ++i;
        } else {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty())
        file.rows << (row << cell);
    return file;
}

inline CsvFile readCsv(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return parseCsv(f.readAll());
}

} // namespace yuedu::testsupport
