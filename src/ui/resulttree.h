#pragma once
// A result tree with numbered nodes. Nodes are numbered from 1 in the order they are added; a
// click on a node shows "【 text 】", a line break and the node's words in the text box beside.
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <vector>

#include "report/treenode.h"

namespace yuedu::ui {

class ResultTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit ResultTree(QWidget *parent = nullptr);

    // Adds the nodes in order; each node's parent must come before it. Unless told otherwise
    // the last one added is made visible: its parent is expanded and the tree scrolls to it.
    enum class Reveal { Last, None };
    void setNodes(std::vector<report::TreeNode> nodes, Reveal reveal = Reveal::Last);
    const std::vector<report::TreeNode> &nodes() const { return m_nodes; }

    // The node number (1-based) of an item, 0 for none.
    int nodeNumber(const QTreeWidgetItem *item) const;
    QTreeWidgetItem *itemOfNode(int number) const;

    // Shows the click text of each clicked node in box (CR LF shown as line breaks).
    void showClicksIn(QPlainTextEdit *box);

private:
    std::vector<report::TreeNode> m_nodes;
    std::vector<QTreeWidgetItem *> m_items;
};

// Text of the core (lines ended by CR LF) for a text box.
QString boxText(const std::u16string &text);

} // namespace yuedu::ui
