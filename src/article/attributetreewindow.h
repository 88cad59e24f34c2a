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
class QTreeWidgetItem;

namespace yuedu::ui {
class ResultTree;
}

namespace yuedu::article {

class AttributeTreeWindow : public ui::ResultView<AttributeResult> {
    Q_OBJECT
public:
    explicit AttributeTreeWindow(QWidget *parent = nullptr);

    QString totalsText() const override;

    // Shows a node's caption and characters in the text field, as a click on it does.
    void showNode(QTreeWidgetItem *item);

    // The distribution as UTF-8 CSV headed by source and totals: one row a value of an
    // attribute with its count of characters and the characters.
    std::string exportBytes() const override;
    // The tree as indented text under the same heading.
    std::string treeTextBytes() const;

private:
    // A new result: the tree is rebuilt from scratch.
    void showResult() override;
    std::vector<AttributeBranch> m_tree;
    // Each branch, then its leaves with their characters.
    ui::ResultTree *m_treeView = nullptr;
    QPlainTextEdit *m_text = nullptr;
};

} // namespace yuedu::article
