#pragma once
// A result list in report view: rows of a text and sub-items under column headers. A click on
// any column header sorts the rows by that column's texts, compared as text ("10" before "9"),
// the first click descending and every further click, on any column, the other way.
#include <QTreeWidget>
#include <string>
#include <vector>

namespace yuedu {

class TextSortList : public QTreeWidget {
    Q_OBJECT
public:
    TextSortList(const QStringList &headers, QWidget *parent = nullptr);

    // Adds rows at the end, in the order given (the list is not re-sorted).
    void addRows(const std::vector<QStringList> &rows);

    // 0 when the list is loaded; 1 - the former value after every header click.
    int SortOrderState() const { return m_SortOrderState; }

    // The header texts and then every row, in the order shown.
    std::vector<std::vector<std::u16string>> shownRows() const;

public slots:
    // Sorts by the 0-based column as a header click does.
    void sortByColumnClick(int column);

private:
    void fitColumns();

    int m_SortOrderState = 0;
};

} // namespace yuedu
