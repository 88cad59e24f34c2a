#include "ui/textsortlist.h"

#include <QHeaderView>
#include <algorithm>

#include "report/numberformat.h"

namespace yuedu::ui {
namespace {

constexpr int kValueRole = Qt::UserRole;

// Rows compare the numbers of a number column, and otherwise the texts of the sort column by
// UTF-16 code units, with no regard to the locale.
class TextRow : public QTreeWidgetItem {
public:
    explicit TextRow(const QStringList &texts) : QTreeWidgetItem(texts) {}
    bool operator<(const QTreeWidgetItem &other) const override {
        int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(column, kValueRole);
        const QVariant b = other.data(column, kValueRole);
        if (a.isValid() && b.isValid())
            return a.toDouble() < b.toDouble();
        return text(column).compare(other.text(column), Qt::CaseSensitive) < 0;
    }
};

// Enough digits to read back as the same double.
QString fullText(double value) {
    return QString::fromStdString(report::exactNumber(value));
}

} // namespace

TextSortList::TextSortList(const QStringList &headers, QWidget *parent) : QTreeWidget(parent) {
    setColumnCount(static_cast<int>(headers.size()));
    setHeaderLabels(headers);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSortingEnabled(false); // sorting is ours: one toggle for all columns
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this, &TextSortList::sortByColumnClick);
}

void TextSortList::addRows(const std::vector<std::vector<Cell>> &rows) {
    QList<QTreeWidgetItem *> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const auto &row : rows) {
        QStringList texts;
        for (const Cell &cell : row)
            texts.append(cell.text);
        auto *item = new TextRow(texts);
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            if (row[static_cast<std::size_t>(c)].number)
                item->setData(c, kValueRole, row[static_cast<std::size_t>(c)].value);
            if (c > 0)
                item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        items.append(item);
    }
    addTopLevelItems(items);
    fitColumns();
}

void TextSortList::clearRows() {
    clear();
    m_SortOrderState = 0;
    header()->setSortIndicatorShown(false);
}

void TextSortList::fitColumns() {
    // Room for the header text with its sort arrow, and a little air around the contents.
    const int arrow = fontMetrics().height();
    for (int c = 0; c < columnCount(); ++c) {
        int width = std::max(sizeHintForColumn(c), header()->sectionSizeHint(c) + arrow);
        setColumnWidth(c, width + fontMetrics().averageCharWidth() * 2);
    }
    setColumnWidth(0, std::max(columnWidth(0), fontMetrics().horizontalAdvance(u'詞') * 6));
}

void TextSortList::sortByColumnClick(int column) {
    m_SortOrderState = 1 - m_SortOrderState;
    Qt::SortOrder order = m_SortOrderState == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortItems(column, order);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, order);
}

std::vector<std::vector<std::u16string>> TextSortList::shownRows(bool fullPrecision) const {
    std::vector<std::vector<std::u16string>> rows;
    rows.reserve(static_cast<std::size_t>(topLevelItemCount()) + 1);
    std::vector<std::u16string> head;
    for (int c = 0; c < columnCount(); ++c)
        head.push_back(headerItem()->text(c).toStdU16String());
    rows.push_back(std::move(head));
    for (int r = 0; r < topLevelItemCount(); ++r) {
        std::vector<std::u16string> row;
        const QTreeWidgetItem *item = topLevelItem(r);
        for (int c = 0; c < columnCount(); ++c) {
            const QVariant value = item->data(c, kValueRole);
            row.push_back(fullPrecision && value.isValid()
                              ? fullText(value.toDouble()).toStdU16String()
                              : item->text(c).toStdU16String());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace yuedu::ui
