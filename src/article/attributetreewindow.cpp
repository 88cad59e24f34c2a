#include "article/attributetreewindow.h"

#include "article/profiletext.h"
#include "report/numberformat.h"
#include "report/treenode.h"
#include "ui/resultsource.h"
#include "ui/resulttree.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace yuedu::article {
namespace {

QString qs(const std::u16string &s) {
    return QString::fromStdU16String(s);
}

} // namespace

AttributeTreeWindow::AttributeTreeWindow(QWidget *parent)
    : ResultView({QStringLiteral("屬性分布.csv"), QStringLiteral("CSV 檔 (*.csv);;所有檔案 (*)")},
                 parent) {
    setObjectName(QStringLiteral("wordtree"));
    setWindowTitle(QStringLiteral("文章字彙屬性類別分布"));

    m_treeView = new ui::ResultTree(this);
    m_treeView->setObjectName(QStringLiteral("wordTreeView"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("wordtreetext"));
    m_text->setReadOnly(true);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_treeView);
    splitter->addWidget(m_text);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton(QStringLiteral("Cmdexport")));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sourceLine());
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    m_treeView->showClicksIn(m_text);
    // Enter on a node chosen with the keyboard shows it too.
    connect(m_treeView, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { showNode(item); });
    resize(560, 420);
    showResult();
}

QString AttributeTreeWindow::totalsText() const {
    return QStringLiteral("字數 %1　相異字數 %2")
               .arg(m_result->hanziTotal)
               .arg(m_result->distinctTotal) +
           QString::fromStdU16String(extraHanziNote(m_result->extraHanzi));
}

void AttributeTreeWindow::showResult() {
    // The characters of a node of the previous tree would not belong to the new text.
    m_text->setPlainText(QStringLiteral("查詢結果\n"));
    m_tree = m_result->attributeTree();
    std::vector<report::TreeNode> nodes;
    for (const AttributeBranch &branch : m_tree) {
        nodes.push_back({branch.caption, branch.caption, 0, {}});
        const int parent = static_cast<int>(nodes.size());
        for (const AttributeLeaf &leaf : branch.leaves)
            nodes.push_back({leaf.caption, leaf.caption, parent, leaf.chars});
    }
    // A tree of fixed branches: it opens folded, at the top.
    m_treeView->setNodes(std::move(nodes), ui::ResultTree::Reveal::None);
}

void AttributeTreeWindow::showNode(QTreeWidgetItem *item) {
    const int number = m_treeView->nodeNumber(item);
    if (number >= 1 && static_cast<std::size_t>(number) <= m_treeView->nodes().size())
        m_text->setPlainText(ui::boxText(
            report::nodeClickText(m_treeView->nodes()[static_cast<std::size_t>(number) - 1])));
}

std::string AttributeTreeWindow::exportBytes() const {
    // One row a value of an attribute that occurs: how many distinct characters have it, and
    // which.
    std::vector<std::vector<std::u16string>> rows{{u"屬性", u"類別", u"字數", u"字"}};
    for (const AttributeBranch &branch : m_tree)
        for (const AttributeLeaf &leaf : branch.leaves) {
            const auto count =
                static_cast<std::int64_t>(QString::fromStdU16String(leaf.chars).toUcs4().size());
            rows.push_back({branch.caption, leaf.caption, report::decimalText(count), leaf.chars});
        }
    return ui::csvExport(source(), totalsText(), rows);
}

std::string AttributeTreeWindow::treeTextBytes() const {
    return ui::textExport(source(), totalsText(), qs(attributeTreeText(m_tree)).toStdString());
}

} // namespace yuedu::article
