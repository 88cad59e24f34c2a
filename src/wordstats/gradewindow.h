#pragma once
// The vocabulary grade window: the list of distinct words with grade, count and order, and the
// grade tree (the root "年級查詢" and seven groups) whose clicked node's words appear in the text
// box beside it, under a line naming the text. It shows exactly one result; a new run
// replaces it.
#include <QPlainTextEdit>
#include <memory>

#include "ui/resulttree.h"
#include "ui/resultwindow.h"
#include "ui/textsortlist.h"
#include "wordstats/frequency.h"

class QLabel;
class QPushButton;

namespace yuedu::wordstats {

class GradeWindow : public ui::ResultView<GradeResult> {
    Q_OBJECT
public:
    explicit GradeWindow(QWidget *parent = nullptr);

    // The size a new window opens with, also inside an MDI area.
    QSize sizeHint() const override;

    // The list of words, the grade tree and the text box showing the clicked node's words.
    ui::TextSortList *wordList() const { return m_list; }
    ui::ResultTree *gradeTree() const { return m_tree; }
    QPlainTextEdit *nodeText() const { return m_text; }
    QString totalsText() const override;

    // The words of node k (1..8) of the tree, each followed by CR LF.
    QString nodeWords(int k) const;

    // The list as UTF-8 CSV (the export of 匯出…); the tree as indented text; both headed by
    // source and totals.
    std::string exportBytes() const override;
    std::string treeExportBytes() const;
    bool exportTreeTo(const QString &path, QString *error = nullptr) const;

public slots:
    void exportTree(); // "匯出…" under the tree

private:
    void showResult() override;
    QChart *makeChart() const override;
    QString chartCaption() const override { return QStringLiteral("詞彙級別圖表"); }

    ui::TextSortList *m_list;
    ui::ResultTree *m_tree;
    QPlainTextEdit *m_text;
    QLabel *m_note;
    QPushButton *m_exportList;
};

} // namespace yuedu::wordstats
