#include "article/attributetreewindow.h"

#include "article/profiletext.h"
#include "ui/resultsource.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace yuedu::article {
namespace {

constexpr int kNodeNumberRole = Qt::UserRole + 1;

QString qs(const std::u16string &s) {
    return QString::fromStdU16String(s);
}

} // namespace

AttributeTreeWindow::AttributeTreeWindow(QWidget *parent)
    : ResultView({QStringLiteral("屬性分布.txt"), QStringLiteral("文字檔 (*.txt);;所有檔案 (*)")},
                 parent) {
    setObjectName(QStringLiteral("wordtree"));
    setWindowTitle(QStringLiteral("文章字彙屬性類別分布"));

    m_treeView = new QTreeWidget(this);
    m_treeView->setObjectName(QStringLiteral("wordTreeView"));
    m_treeView->setHeaderHidden(true);
    m_treeView->setColumnCount(1);
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

    connect(m_treeView, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { showNode(item); });
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
    m_treeView->clear();
    // The characters of a node of the previous tree would not belong to the new text.
    m_text->setPlainText(QStringLiteral("查詢結果\n"));
    m_nodeChars.assign(1, QString()); // node numbers start at 1
    m_tree = m_result->attributeTree();

    auto addNode = [this](QTreeWidgetItem *item, const QString &chars) {
        item->setData(0, kNodeNumberRole, static_cast<int>(m_nodeChars.size()));
        m_nodeChars.push_back(chars);
    };
    // The seven branches first, then their leaves branch by branch.
    std::vector<QTreeWidgetItem *> branches;
    for (const auto &branch : m_tree) {
        auto *item = new QTreeWidgetItem(m_treeView, QStringList(qs(branch.caption)));
        addNode(item, QString());
        branches.push_back(item);
    }
    for (std::size_t b = 0; b < m_tree.size(); ++b)
        for (const auto &leaf : m_tree[b].leaves)
            addNode(new QTreeWidgetItem(branches[b], QStringList(qs(leaf.caption))),
                    qs(leaf.chars));
}

void AttributeTreeWindow::showNode(QTreeWidgetItem *item) {
    if (!item)
        return;
    const int number = item->data(0, kNodeNumberRole).toInt();
    const QString chars = number > 0 && number < static_cast<int>(m_nodeChars.size())
                              ? m_nodeChars[number]
                              : QString();
    m_text->setPlainText(QStringLiteral("【 ") + item->text(0) + QStringLiteral(" 】\n") + chars);
}

std::string AttributeTreeWindow::exportBytes() const {
    return ui::textExport(source(), totalsText(), qs(attributeTreeText(m_tree)).toStdString());
}

} // namespace yuedu::article
