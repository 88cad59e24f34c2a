#pragma once
// The vocabulary grade window: the list of distinct words with grade, count and order, and the
// grade tree (the root "年級查詢" and seven groups) whose clicked node's words appear in the text
// box beside it, under a line naming the text. It shows exactly one result; a new run
// replaces it.
#include <QPlainTextEdit>
#include <QWidget>
#include <memory>

#include "ui/resultsource.h"
#include "ui/resulttree.h"
#include "ui/textsortlist.h"
#include "wordstats/frequency.h"

class QLabel;
class QPushButton;

namespace yuedu {

class GradeWindow : public QWidget {
    Q_OBJECT
public:
    explicit GradeWindow(QWidget *parent = nullptr);

    // The size a new window opens with, also inside an MDI area.
    QSize sizeHint() const override;

    void setResult(std::shared_ptr<const GradeResult> result, ui::ResultSource source);
    const std::shared_ptr<const GradeResult> &result() const { return m_result; }
    const ui::ResultSource &source() const { return m_source; }

    ui::TextSortList *gdphListView() const { return m_list; }
    ui::ResultTree *gdphTreeView() const { return m_tree; }
    QPlainTextEdit *gdphtreeText() const { return m_text; }
    QString totalsText() const;

    // The words of node k (1..8) of the tree, each followed by CR LF.
    QString GradeNodeTexts(int k) const;

    // The list as UTF-8 CSV; the tree as indented text; both headed by source and totals.
    std::string listExportBytes() const;
    std::string treeExportBytes() const;
    bool exportListTo(const QString &path, QString *error = nullptr) const;
    bool exportTreeTo(const QString &path, QString *error = nullptr) const;

public slots:
    void exportList(); // "匯出…" under the list
    void exportTree(); // "匯出…" under the tree

private:
    std::shared_ptr<const GradeResult> m_result;
    ui::ResultSource m_source;
    ui::TextSortList *m_list;
    ui::ResultTree *m_tree;
    QPlainTextEdit *m_text;
    QLabel *m_sourceLine;
    QLabel *m_note;
    QPushButton *m_exportList;
};

} // namespace yuedu
