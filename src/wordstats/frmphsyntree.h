#pragma once
// The sense taxonomy window: the twelve categories and, under them, the sense classes that have
// words; a clicked node's words appear in the text box. Built once from the latest sense-class
// analysis of a Phsyn, and not rebuilt by later runs.
#include <QPlainTextEdit>
#include <QWidget>

#include "wordstats/phsyn.h"
#include "wordstats/resulttree.h"

namespace yuedu {

class FrmPhSynTree : public QWidget {
    Q_OBJECT
public:
    // The size a new window opens with, also inside an MDI area.
    QSize sizeHint() const override;

    explicit FrmPhSynTree(const Phsyn &results, QWidget *parent = nullptr);

    ResultTree *phsynTreeView() const { return m_tree; }
    QPlainTextEdit *phsynText() const { return m_text; }

    // The words of node k (1..107 at most), each followed by CR LF.
    QString SenseNodeTexts(int k) const;

    bool exportTo(const QString &path, QString *error = nullptr) const;

public slots:
    void exportTree(); // "匯出…"

private:
    ResultTree *m_tree;
    QPlainTextEdit *m_text;
};

} // namespace yuedu
