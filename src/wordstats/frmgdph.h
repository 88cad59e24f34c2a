#pragma once
// The vocabulary grade window: the list of distinct words with grade, count and order, and the
// grade tree (the root "年級查詢" and seven groups) whose clicked node's words appear in the text
// box beside it. Filled once, when built, from the latest grade analysis of a Toolsort.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "wordstats/resulttree.h"
#include "wordstats/textsortlist.h"
#include "wordstats/toolsort.h"

namespace yuedu {

class FrmGdph : public QWidget {
    Q_OBJECT
public:
    // The size a new window opens with, also inside an MDI area.
    QSize sizeHint() const override;

    explicit FrmGdph(const Toolsort &results, QWidget *parent = nullptr);

    TextSortList *gdphListView() const { return m_list; }
    ResultTree *gdphTreeView() const { return m_tree; }
    QPlainTextEdit *gdphtreeText() const { return m_text; }

    // The words of node k (1..8) of the tree, each followed by CR LF.
    QString GradeNodeTexts(int k) const;

    // The list as UTF-8 CSV; the tree as indented text.
    bool exportListTo(const QString &path, QString *error = nullptr) const;
    bool exportTreeTo(const QString &path, QString *error = nullptr) const;

public slots:
    void exportList(); // "匯出…" under the list
    void exportTree(); // "匯出…" under the tree

private:
    TextSortList *m_list;
    ResultTree *m_tree;
    QPlainTextEdit *m_text;
};

} // namespace yuedu
