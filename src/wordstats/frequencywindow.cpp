#include "wordstats/frequencywindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace yuedu::wordstats {

FrequencyWindow::FrequencyWindow(QWidget *parent)
    : ResultView({QStringLiteral("詞頻統計.csv"), QStringLiteral("CSV 檔 (*.csv)")}, parent) {
    setObjectName(QStringLiteral("frmphfreq"));
    setWindowTitle(QStringLiteral("詞彙出現次數及頻率統計"));

    m_list = new ui::TextSortList({QStringLiteral("詞彙"), QStringLiteral("次數"),
                                   QStringLiteral("頻率%"), QStringLiteral("文序")},
                                  this);
    m_list->setObjectName(QStringLiteral("phListView"));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_export = exportButton(QStringLiteral("cmdExport"));
    m_export->setEnabled(false);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_export);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sourceLine());
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    resize(sizeHint());
}

void FrequencyWindow::showResult() {
    const FrequencyResult &r = *m_result;
    std::vector<std::vector<ui::TextSortList::Cell>> rows;
    rows.reserve(r.size());
    for (std::size_t i = 0; i < r.size(); ++i) {
        const WordCount &w = r.words[i];
        rows.push_back(
            {ui::TextSortList::text(QString::fromStdU16String(w.word)),
             ui::TextSortList::number(QString::number(w.count), static_cast<double>(w.count)),
             ui::TextSortList::number(QString::fromStdU16String(r.percentText(i)), r.percent(i)),
             ui::TextSortList::number(QString::number(i + 1), static_cast<double>(i + 1))});
    }
    m_list->clearRows();
    m_list->addRows(rows);
    m_summary->setText(
        r.empty() ? QStringLiteral("沒有可統計的詞：已斷詞的文字裡，每個詞後面都有兩個空白。")
                  : totalsText());
    m_export->setEnabled(!r.empty());
}

QString FrequencyWindow::totalsText() const {
    return ui::wordTotalsText(m_result->WordTotal, m_result->size());
}

std::string FrequencyWindow::exportBytes() const {
    return ui::csvExport(source(), totalsText(), m_list->shownRows(true));
}

QSize FrequencyWindow::sizeHint() const {
    return QSize(480, 460);
}

} // namespace yuedu::wordstats
