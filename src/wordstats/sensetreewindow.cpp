#include "wordstats/sensetreewindow.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "report/numberformat.h"
#include "report/treenode.h"
#include "wordstats/taxonomy.h"

namespace yuedu::wordstats {

SenseTreeWindow::SenseTreeWindow(QWidget *parent)
    : ResultView({QStringLiteral("詞義類別.csv"), QStringLiteral("CSV 檔 (*.csv)")}, parent) {
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
    // One row a class of the taxonomy: its path, how many of the text's distinct words it holds
    // and the words themselves. A branch lists the words of its classes already; one that did
    // not would count them from its classes, never both.
    const std::vector<report::TreeNode> &nodes = m_tree->nodes();
    std::vector<std::int64_t> counts(nodes.size(), 0);
    std::vector<std::int64_t> fromClasses(nodes.size(), 0);
    auto ownWords = [](const std::u16string &words) {
        std::int64_t n = 0;
        for (std::size_t at = words.find(u"\r\n"); at != std::u16string::npos;
             at = words.find(u"\r\n", at + 2))
            ++n;
        return n;
    };
    for (std::size_t k = nodes.size(); k-- > 0;) {
        counts[k] = std::max(ownWords(nodes[k].words), fromClasses[k]);
        const int parent = nodes[k].parent;
        if (parent > 0 && static_cast<std::size_t>(parent) <= nodes.size())
            fromClasses[static_cast<std::size_t>(parent) - 1] += counts[k];
    }
    std::vector<std::vector<std::u16string>> rows{{u"類別", u"層次", u"詞數", u"詞彙"}};
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        std::u16string path = nodes[k].text;
        int depth = 1;
        for (int p = nodes[k].parent; p > 0 && static_cast<std::size_t>(p) <= nodes.size();
             p = nodes[static_cast<std::size_t>(p) - 1].parent, ++depth)
            path = nodes[static_cast<std::size_t>(p) - 1].text + u"／" + path;
        std::u16string words = nodes[k].words;
        for (std::size_t at = words.find(u"\r\n"); at != std::u16string::npos;
             at = words.find(u"\r\n", at))
            words.replace(at, 2, u"、");
        if (!words.empty() && words.back() == u'、')
            words.pop_back();
        rows.push_back({path, report::decimalText(depth), report::decimalText(counts[k]), words});
    }
    return ui::csvExport(source(), totalsText(), rows);
}

QSize SenseTreeWindow::sizeHint() const {
    return QSize(640, 480);
}

} // namespace yuedu::wordstats
