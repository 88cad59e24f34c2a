#include "wordstats/frmgdph.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include "wordstats/exporttext.h"
#include "wordstats/gradetree.h"
#include "wordstats/resultexport.h"

namespace yuedu {
namespace {

QWidget *withButton(QWidget *content, QPushButton *button, QLabel *note, QWidget *parent) {
    auto *box = new QWidget(parent);
    auto *bottom = new QHBoxLayout;
    if (note)
        bottom->addWidget(note, 1);
    else
        bottom->addStretch(1);
    bottom->addWidget(button);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content, 1);
    layout->addLayout(bottom);
    return box;
}

} // namespace

FrmGdph::FrmGdph(const Toolsort &results, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmgdph"));
    setWindowTitle(QStringLiteral("詞彙級數統計及分布情形"));

    m_list = new TextSortList({QStringLiteral("詞彙"), QStringLiteral("年級數"),
                               QStringLiteral("次數"), QStringLiteral("文序")},
                              this);
    m_list->setObjectName(QStringLiteral("gdphListView"));
    std::vector<QStringList> rows;
    rows.reserve(results.GradeWords.size());
    for (std::size_t i = 0; i < results.GradeWords.size(); ++i)
        rows.push_back({QString::fromStdU16String(results.GradeWords[i]),
                        QString::fromStdU16String(results.gradeText(i)),
                        QString::number(results.GradeCounts[i]),
                        QString::number(static_cast<qulonglong>(i) + 1)});
    m_list->addRows(rows);

    m_tree = new ResultTree(this);
    m_tree->setObjectName(QStringLiteral("gdphTreeView"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("gdphtreeText"));
    m_text->setReadOnly(true);
    m_text->setPlainText(QStringLiteral("查詢結果\n"));
    m_tree->showClicksIn(m_text);
    m_tree->setNodes(gradeTreeNodes(results));

    QLabel *note = nullptr;
    if (rows.empty()) {
        note = new QLabel(
            QStringLiteral("沒有可分級的詞：已斷詞的文字裡，每個詞後面都有兩個空白。"), this);
        note->setObjectName(QStringLiteral("lblSummary"));
        note->setWordWrap(true);
    }
    auto *exportList = new QPushButton(QStringLiteral("匯出…"), this);
    exportList->setObjectName(QStringLiteral("cmdExportList"));
    exportList->setEnabled(!rows.empty());
    connect(exportList, &QPushButton::clicked, this, &FrmGdph::exportList);
    auto *exportTree = new QPushButton(QStringLiteral("匯出…"), this);
    exportTree->setObjectName(QStringLiteral("cmdExportTree"));
    connect(exportTree, &QPushButton::clicked, this, &FrmGdph::exportTree);

    auto *treeSide = new QSplitter(Qt::Vertical, this);
    treeSide->addWidget(m_tree);
    treeSide->addWidget(m_text);
    treeSide->setStretchFactor(0, 2);
    treeSide->setStretchFactor(1, 3);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(withButton(m_list, exportList, note, split));
    split->addWidget(withButton(treeSide, exportTree, nullptr, split));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split);
    resize(sizeHint());
}

QString FrmGdph::GradeNodeTexts(int k) const {
    if (k < 1 || static_cast<std::size_t>(k) > m_tree->nodes().size())
        return {};
    return QString::fromStdU16String(m_tree->nodes()[static_cast<std::size_t>(k) - 1].words);
}

bool FrmGdph::exportListTo(const QString &path, QString *error) const {
    return writeExportFile(path, csvUtf8(m_list->shownRows()), error);
}

bool FrmGdph::exportTreeTo(const QString &path, QString *error) const {
    return writeExportFile(path, indentedTreeUtf8(m_tree->nodes()), error);
}

void FrmGdph::exportList() {
    exportWithDialog(this, QStringLiteral("詞彙級別.csv"), QStringLiteral("CSV 檔 (*.csv)"),
                     csvUtf8(m_list->shownRows()));
}

void FrmGdph::exportTree() {
    exportWithDialog(this, QStringLiteral("詞彙級別分布.txt"), QStringLiteral("文字檔 (*.txt)"),
                     indentedTreeUtf8(m_tree->nodes()));
}

QSize FrmGdph::sizeHint() const {
    return QSize(820, 520);
}

} // namespace yuedu
