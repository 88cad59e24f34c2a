#pragma once
// A result list in report view: rows of a text and sub-items under column headers. A click on
// any column header sorts the rows by that column, the first click descending and every
// further click, on any column, the other way. Text columns compare their texts; number
// columns compare the numbers behind them (9 before 10), which may carry more precision than
// the text shows; exports take that full value.
#include <QTreeWidget>
#include <string>
#include <vector>

namespace yuedu::ui {

class TextSortList : public QTreeWidget {
    Q_OBJECT
public:
    TextSortList(const QStringList &headers, QWidget *parent = nullptr);

    // A cell of a number column: the text shown and the value it sorts and exports by.
    struct Cell {
        QString text;
        double value = 0;
        bool number = false;
    };
    static Cell text(const QString &t) { return {t, 0, false}; }
    static Cell number(const QString &t, double v) { return {t, v, true}; }

    // Adds rows at the end, in the order given (the list is not re-sorted).
    void addRows(const std::vector<QStringList> &rows);
    void addRows(const std::vector<std::vector<Cell>> &rows);

    // Removes every row and forgets the sort, as for a list loaded afresh.
    void clearRows();

    // 0 when the list is loaded; 1 - the former value after every header click.
    int SortOrderState() const { return m_SortOrderState; }

    // The header texts and then every row, in the order shown; number cells at their full value
    // when fullPrecision is set.
    std::vector<std::vector<std::u16string>> shownRows(bool fullPrecision = false) const;

public slots:
    // Sorts by the 0-based column as a header click does.
    void sortByColumnClick(int column);

private:
    void fitColumns();

    int m_SortOrderState = 0;
};

} // namespace yuedu::ui
