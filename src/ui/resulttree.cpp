#include "ui/resulttree.h"

#include <QHeaderView>

namespace yuedu::ui {

QString boxText(const std::u16string &text) {
    return QString::fromStdU16String(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

ResultTree::ResultTree(QWidget *parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
}

void ResultTree::setNodes(std::vector<report::TreeNode> nodes, Reveal reveal) {
    clear();
    m_items.clear();
    m_nodes = std::move(nodes);
    for (std::size_t k = 0; k < m_nodes.size(); ++k) {
        const report::TreeNode &node = m_nodes[k];
        QStringList texts{QString::fromStdU16String(node.text)};
        QTreeWidgetItem *item = nullptr;
        if (node.parent > 0 && static_cast<std::size_t>(node.parent) <= k)
            item = new QTreeWidgetItem(m_items[static_cast<std::size_t>(node.parent) - 1], texts);
        else
            item = new QTreeWidgetItem(this, texts);
        item->setData(0, Qt::UserRole, static_cast<int>(k) + 1);
        m_items.push_back(item);
    }
    if (reveal == Reveal::Last && !m_items.empty()) {
        QTreeWidgetItem *last = m_items.back();
        if (last->parent())
            last->parent()->setExpanded(true);
        scrollToItem(last);
    }
}

int ResultTree::nodeNumber(const QTreeWidgetItem *item) const {
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

QTreeWidgetItem *ResultTree::itemOfNode(int number) const {
    if (number < 1 || static_cast<std::size_t>(number) > m_items.size())
        return nullptr;
    return m_items[static_cast<std::size_t>(number) - 1];
}

void ResultTree::showClicksIn(QPlainTextEdit *box) {
    auto show = [this, box](QTreeWidgetItem *item) {
        int number = nodeNumber(item);
        if (number >= 1 && static_cast<std::size_t>(number) <= m_nodes.size())
            box->setPlainText(
                boxText(report::nodeClickText(m_nodes[static_cast<std::size_t>(number) - 1])));
    };
    connect(this, &QTreeWidget::itemClicked, box,
            [show](QTreeWidgetItem *item, int) { show(item); });
    // Moving through the tree with the keyboard shows the nodes as a click does. The first
    // current item is set by Qt itself when the tree takes the focus: that is no click.
    connect(this, &QTreeWidget::currentItemChanged, box,
            [show](QTreeWidgetItem *current, QTreeWidgetItem *previous) {
                if (current && previous)
                    show(current);
            });
}

} // namespace yuedu::ui
