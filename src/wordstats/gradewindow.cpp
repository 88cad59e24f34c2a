#include "wordstats/gradewindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "report/captions.h"
#include "report/treenode.h"
#include "ui/charts.h"
#include "ui/savefile.h"
#include "wordstats/gradetree.h"

namespace yuedu::wordstats {
namespace {

// Distinct words and occurrences by grade group, as shares of the text's words.
QChart *gradeChart(const GradeResult &result) {
    ui::StackedBars bars;
    bars.title = QStringLiteral("各級詞彙所佔比例");
    bars.valueTitle = QStringLiteral("%");
    bars.categories << QStringLiteral("詞別") << QStringLiteral("詞次");
    for (int g = 0; g < kGradeGroupCount; ++g) {
        bars.segments << QString::fromStdU16String(
            std::u16string(report::gradeGroups()[static_cast<std::size_t>(g)].label));
        bars.values.push_back({result.typeShare(g) * 100, result.tokenShare(g) * 100});
    }
    return ui::stackedBarChart(bars);
}

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

GradeWindow::GradeWindow(QWidget *parent)
    : ResultView({QStringLiteral("詞彙級別.csv"), QStringLiteral("CSV 檔 (*.csv)")}, parent) {
    setObjectName(QStringLiteral("frmgdph"));
    setWindowTitle(QStringLiteral("詞彙級數統計及分布情形"));

    m_list = new ui::TextSortList({QStringLiteral("詞彙"), QStringLiteral("年級數"),
                                   QStringLiteral("次數"), QStringLiteral("文序")},
                                  this);
    m_list->setObjectName(QStringLiteral("gdphListView"));
    m_tree = new ui::ResultTree(this);
    m_tree->setObjectName(QStringLiteral("gdphTreeView"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("gdphtreeText"));
    m_text->setReadOnly(true);
    m_tree->showClicksIn(m_text);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblSummary"));
    m_note->setWordWrap(true);
    m_exportList = exportButton(QStringLiteral("cmdExportList"));
    auto *exportTree = new QPushButton(QStringLiteral("匯出…"), this);
    exportTree->setObjectName(QStringLiteral("cmdExportTree"));
    connect(exportTree, &QPushButton::clicked, this, &GradeWindow::exportTree);

    auto *treeSide = new QSplitter(Qt::Vertical, this);
    treeSide->addWidget(m_tree);
    treeSide->addWidget(m_text);
    treeSide->setStretchFactor(0, 2);
    treeSide->setStretchFactor(1, 3);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(withButton(m_list, m_exportList, m_note, split));
    split->addWidget(withButton(treeSide, exportTree, nullptr, split));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto *top = new QHBoxLayout;
    top->addWidget(sourceLine(), 1);
    top->addWidget(chartButton());
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    resize(sizeHint());
    setResult(nullptr, {});
}

QChart *GradeWindow::makeChart() const {
    return gradeChart(*m_result);
}

void GradeWindow::showResult() {
    const GradeResult &r = *m_result;
    std::vector<std::vector<ui::TextSortList::Cell>> rows;
    rows.reserve(r.size());
    for (std::size_t i = 0; i < r.size(); ++i) {
        const GradedWord &w = r.words[i];
        rows.push_back(
            {ui::TextSortList::text(QString::fromStdU16String(w.word)),
             ui::TextSortList::number(QString::fromStdU16String(r.gradeText(i)),
                                      static_cast<double>(w.code) / 10.0),
             ui::TextSortList::number(QString::number(w.count), static_cast<double>(w.count)),
             ui::TextSortList::number(QString::number(i + 1), static_cast<double>(i + 1))});
    }
    m_list->clearRows();
    m_list->addRows(rows);
    m_text->setPlainText(QStringLiteral("查詢結果\n"));
    m_tree->setNodes(gradeTreeNodes(r));
    m_note->setText(r.empty()
                        ? QStringLiteral("沒有可分級的詞：已斷詞的文字裡，每個詞後面都有兩個空白。")
                        : QString());
    m_exportList->setEnabled(!r.empty());
}

QString GradeWindow::totalsText() const {
    if (m_result->empty())
        return {};
    return ui::wordTotalsText(m_result->WordTotal, m_result->size());
}

QString GradeWindow::nodeWords(int k) const {
    if (k < 1 || static_cast<std::size_t>(k) > m_tree->nodes().size())
        return {};
    return QString::fromStdU16String(m_tree->nodes()[static_cast<std::size_t>(k) - 1].words);
}

std::string GradeWindow::exportBytes() const {
    return ui::csvExport(source(), totalsText(), m_list->shownRows(true));
}

std::string GradeWindow::treeExportBytes() const {
    return ui::textExport(source(), totalsText(), report::indentedTreeUtf8(m_tree->nodes()));
}

bool GradeWindow::exportTreeTo(const QString &path, QString *error) const {
    return ui::saveFile(path, treeExportBytes(), error);
}

void GradeWindow::exportTree() {
    ui::exportWithDialog(this, QStringLiteral("詞彙級別分布.txt"), QStringLiteral("文字檔 (*.txt)"),
                         treeExportBytes());
}

QSize GradeWindow::sizeHint() const {
    return QSize(820, 520);
}

} // namespace yuedu::wordstats
