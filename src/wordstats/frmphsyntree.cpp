#include "wordstats/frmphsyntree.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "wordstats/exporttext.h"
#include "wordstats/resultexport.h"
#include "wordstats/taxonomy.h"

namespace yuedu {

FrmPhSynTree::FrmPhSynTree(const Phsyn &results, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmphsyntree"));
    setWindowTitle(QStringLiteral("詞義屬性類別分布情形"));

    m_tree = new ResultTree(this);
    m_tree->setObjectName(QStringLiteral("phsynTreeView"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("phsynText"));
    m_text->setReadOnly(true);
    m_tree->showClicksIn(m_text);
    m_tree->setNodes(senseTreeNodes(results.SenseClassLists));

    auto *exportButton = new QPushButton(QStringLiteral("匯出…"), this);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    connect(exportButton, &QPushButton::clicked, this, &FrmPhSynTree::exportTree);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_tree);
    split->addWidget(m_text);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(exportButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);
    resize(sizeHint());
}

QString FrmPhSynTree::SenseNodeTexts(int k) const {
    if (k < 1 || static_cast<std::size_t>(k) > m_tree->nodes().size())
        return {};
    return QString::fromStdU16String(m_tree->nodes()[static_cast<std::size_t>(k) - 1].words);
}

bool FrmPhSynTree::exportTo(const QString &path, QString *error) const {
    return writeExportFile(path, indentedTreeUtf8(m_tree->nodes()), error);
}

void FrmPhSynTree::exportTree() {
    exportWithDialog(this, QStringLiteral("詞義類別.txt"), QStringLiteral("文字檔 (*.txt)"),
                     indentedTreeUtf8(m_tree->nodes()));
}

QSize FrmPhSynTree::sizeHint() const {
    return QSize(640, 480);
}

} // namespace yuedu
