#pragma once
// The sense class window: the taxonomy tree of the distinct words of a text, the words of the
// clicked node beside it, and a line naming the text. It shows exactly one result; a new run
// replaces it.
#include <QPlainTextEdit>
#include <QWidget>
#include <memory>

#include "ui/resultsource.h"
#include "ui/resulttree.h"
#include "wordstats/senses.h"

class QLabel;

namespace yuedu {

class SenseTreeWindow : public QWidget {
    Q_OBJECT
public:
    explicit SenseTreeWindow(QWidget *parent = nullptr);

    // The size a new window opens with, also inside an MDI area.
    QSize sizeHint() const override;

    void setResult(std::shared_ptr<const SenseResult> result, ui::ResultSource source);
    const std::shared_ptr<const SenseResult> &result() const { return m_result; }
    const ui::ResultSource &source() const { return m_source; }

    ui::ResultTree *phsynTreeView() const { return m_tree; }
    QPlainTextEdit *phsynText() const { return m_text; }
    QString totalsText() const;

    // The words of node k of the tree, each followed by CR LF.
    QString SenseNodeTexts(int k) const;

    // The tree as indented UTF-8 text headed by source and totals.
    std::string exportBytes() const;
    bool exportTo(const QString &path, QString *error = nullptr) const;

public slots:
    void exportTree(); // "匯出…"

private:
    std::shared_ptr<const SenseResult> m_result;
    ui::ResultSource m_source;
    ui::ResultTree *m_tree;
    QPlainTextEdit *m_text;
    QLabel *m_sourceLine;
};

} // namespace yuedu
