#pragma once
// The sense class window: the taxonomy tree of the distinct words of a text, the words of the
// clicked node beside it, and a line naming the text. It shows exactly one result; a new run
// replaces it.
#include <QPlainTextEdit>
#include <memory>

#include "ui/resulttree.h"
#include "ui/resultwindow.h"
#include "wordstats/senses.h"

namespace yuedu::wordstats {

class SenseTreeWindow : public ui::ResultView<SenseResult> {
    Q_OBJECT
public:
    explicit SenseTreeWindow(QWidget *parent = nullptr);

    // The size a new window opens with, also inside an MDI area.
    QSize sizeHint() const override;

    // The taxonomy tree and the text box showing the clicked node's words.
    ui::ResultTree *senseTree() const { return m_tree; }
    QPlainTextEdit *nodeText() const { return m_text; }
    QString totalsText() const override;

    // The words of node k of the tree, each followed by CR LF.
    QString nodeWords(int k) const;

    // The tree as indented UTF-8 text headed by source and totals.
    std::string exportBytes() const override;

private:
    void showResult() override;

    ui::ResultTree *m_tree;
    QPlainTextEdit *m_text;
};

} // namespace yuedu::wordstats
