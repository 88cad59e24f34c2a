#pragma once
// The window of the attribute distribution: the tree of radicals, strokes, Bopomofo parts, tones
// and general-use levels on the left, and on the right the characters of the node the user
// clicks. 匯出… writes the tree as indented UTF-8 text.
#include <QString>
#include <QWidget>
#include <vector>

#include <memory>

#include "article/articleattributes.h"
#include "ui/resultsource.h"

class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace yuedu::article {

class AttributeTreeWindow : public QWidget {
    Q_OBJECT
public:
    explicit AttributeTreeWindow(QWidget *parent = nullptr);

    // Shows result in place of the one shown: the tree is rebuilt from scratch.
    void setResult(std::shared_ptr<const AttributeResult> result, ui::ResultSource source);
    const std::shared_ptr<const AttributeResult> &result() const { return m_result; }
    const ui::ResultSource &source() const { return m_source; }
    QString totalsText() const;

    // Shows a node's caption and characters in the text field, as a click on it does.
    void showNode(QTreeWidgetItem *item);

    // Writes the tree as indented text headed by source and totals; false with a reason when
    // the file cannot be written.
    std::string exportBytes() const;
    bool exportTo(const QString &path, QString *error = nullptr) const;

private:
    void exportAsked();

    void buildTree();

    std::shared_ptr<const AttributeResult> m_result;
    ui::ResultSource m_source;
    QLabel *m_sourceLine = nullptr;
    std::vector<AttributeBranch> m_tree;
    // Characters per node, by node number (1-based, in order of addition); branches hold none.
    std::vector<QString> m_nodeChars;
    QTreeWidget *m_treeView = nullptr;
    QPlainTextEdit *m_text = nullptr;
};

} // namespace yuedu::article
