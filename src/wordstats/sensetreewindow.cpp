#include "wordstats/sensetreewindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "report/treenode.h"
#include "wordstats/taxonomy.h"

namespace yuedu::wordstats {

SenseTreeWindow::SenseTreeWindow(QWidget *parent)
    : ResultView({QStringLiteral("詞義類別.txt"), QStringLiteral("文字檔 (*.txt)")}, parent) {
    setObjectName(QStringLiteral("frmphsyntree"));
    setWindowTitle(QStringLiteral("詞義屬性類別分布情形"));

    m_tree = new ui::ResultTree(this);
    m_tree->setObjectName(QStringLiteral("phsynTreeView"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("phsynText"));
    m_text->setReadOnly(true);
    m_tree->showClicksIn(m_text);
    QPushButton *exportTree = exportButton(QStringLiteral("cmdExport"));

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_tree);
    split->addWidget(m_text);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(exportTree);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sourceLine());
    layout->addWidget(split, 1);
    layout->addLayout(bottom);
    resize(sizeHint());
}

void SenseTreeWindow::showResult() {
    m_text->clear();
    m_tree->setNodes(senseTreeNodes(m_result->SenseClassLists));
}

QString SenseTreeWindow::totalsText() const {
    return ui::wordTotalsText(m_result->WordTotal, m_result->words.size()) +
           QStringLiteral("　有類別者 %1").arg(m_result->classifiedCount());
}

QString SenseTreeWindow::nodeWords(int k) const {
    if (k < 1 || static_cast<std::size_t>(k) > m_tree->nodes().size())
        return {};
    return QString::fromStdU16String(m_tree->nodes()[static_cast<std::size_t>(k) - 1].words);
}

std::string SenseTreeWindow::exportBytes() const {
    return ui::textExport(source(), totalsText(), report::indentedTreeUtf8(m_tree->nodes()));
}

QSize SenseTreeWindow::sizeHint() const {
    return QSize(640, 480);
}

} // namespace yuedu::wordstats
