#pragma once
// The window of the attribute distribution: the tree of radicals, strokes, Bopomofo parts, tones
// and general-use levels on the left, and on the right the characters of the node the user
// clicks. 匯出… writes the tree as indented UTF-8 text.
#include <QString>
#include <memory>
#include <vector>

#include "article/articleattributes.h"
#include "ui/resultwindow.h"

class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace yuedu::article {

class AttributeTreeWindow : public ui::ResultView<AttributeResult> {
    Q_OBJECT
public:
    explicit AttributeTreeWindow(QWidget *parent = nullptr);

    QString totalsText() const override;

    // Shows a node's caption and characters in the text field, as a click on it does.
    void showNode(QTreeWidgetItem *item);

    // Writes the tree as indented text headed by source and totals; false with a reason when
    // the file cannot be written.
    std::string exportBytes() const override;

private:
    // A new result: the tree is rebuilt from scratch.
    void showResult() override;
    std::vector<AttributeBranch> m_tree;
    // Characters per node, by node number (1-based, in order of addition); branches hold none.
    std::vector<QString> m_nodeChars;
    QTreeWidget *m_treeView = nullptr;
    QPlainTextEdit *m_text = nullptr;
};

} // namespace yuedu::article
