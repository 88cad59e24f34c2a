#pragma once
// The window of the attribute distribution: the tree of radicals, strokes, Bopomofo parts, tones
// and general-use levels on the left, and on the right the characters of the node the user
// clicks. 匯出… writes the tree as indented UTF-8 text.
#include <QString>
#include <QWidget>
#include <vector>

#include "article/articleattributes.h"

class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace yuedu::article {

class AttributeTreeWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the tree from the results at once.
    explicit AttributeTreeWindow(const ArticleAttributes &results, QWidget *parent = nullptr);

    // Rebuilds the tree from scratch from the current results; run after every distribution.
    void buildTree();

    // Shows a node's caption and characters in the text field, as a click on it does.
    void showNode(QTreeWidgetItem *item);

    // Writes the tree as indented text; false with a reason when the file cannot be written.
    bool exportTo(const QString &path, QString *error = nullptr) const;

private:
    void exportAsked();

    const ArticleAttributes &m_results;
    std::vector<AttributeBranch> m_tree;
    // Characters per node, by node number (1-based, in order of addition); branches hold none.
    std::vector<QString> m_nodeChars;
    QTreeWidget *m_treeView = nullptr;
    QPlainTextEdit *m_text = nullptr;
};

} // namespace yuedu::article
