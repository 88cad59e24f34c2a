#include "wordstats/sensetreewindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "report/treenode.h"
#include "ui/savefile.h"
#include "wordstats/taxonomy.h"

namespace yuedu::wordstats {

SenseTreeWindow::SenseTreeWindow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmphsyntree"));
    setWindowTitle(QStringLiteral("詞義屬性類別分布情形"));

    m_tree = new ui::ResultTree(this);
    m_tree->setObjectName(QStringLiteral("phsynTreeView"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("phsynText"));
    m_text->setReadOnly(true);
    m_tree->showClicksIn(m_text);
    m_sourceLine = new QLabel(this);
    m_sourceLine->setObjectName(QStringLiteral("lblSource"));
    m_sourceLine->setWordWrap(true);

    auto *exportButton = new QPushButton(QStringLiteral("匯出…"), this);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    connect(exportButton, &QPushButton::clicked, this, &SenseTreeWindow::exportTree);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_tree);
    split->addWidget(m_text);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(exportButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_sourceLine);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);
    resize(sizeHint());
}

void SenseTreeWindow::setResult(std::shared_ptr<const SenseResult> result,
                                ui::ResultSource source) {
    m_result = result ? std::move(result) : std::make_shared<const SenseResult>();
    m_source = std::move(source);
    m_text->clear();
    m_tree->setNodes(senseTreeNodes(m_result->SenseClassLists));
    m_sourceLine->setText(m_source.statusLine(totalsText()));
}

QString SenseTreeWindow::totalsText() const {
    if (!m_result)
        return {};
    return ui::wordTotalsText(m_result->WordTotal, m_result->FreqWords.size()) +
           QStringLiteral("　有類別者 %1").arg(m_result->classifiedCount());
}

QString SenseTreeWindow::SenseNodeTexts(int k) const {
    if (k < 1 || static_cast<std::size_t>(k) > m_tree->nodes().size())
        return {};
    return QString::fromStdU16String(m_tree->nodes()[static_cast<std::size_t>(k) - 1].words);
}

std::string SenseTreeWindow::exportBytes() const {
    return ui::textExport(m_source, totalsText(), report::indentedTreeUtf8(m_tree->nodes()));
}

bool SenseTreeWindow::exportTo(const QString &path, QString *error) const {
    return ui::saveFile(path, exportBytes(), error);
}

void SenseTreeWindow::exportTree() {
    ui::exportWithDialog(this, QStringLiteral("詞義類別.txt"), QStringLiteral("文字檔 (*.txt)"),
                         exportBytes());
}

QSize SenseTreeWindow::sizeHint() const {
    return QSize(640, 480);
}

} // namespace yuedu::wordstats
