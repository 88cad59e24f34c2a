#include "wordstats/frequencywindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/savefile.h"

namespace yuedu::wordstats {

FrequencyWindow::FrequencyWindow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmphfreq"));
    setWindowTitle(QStringLiteral("詞彙出現次數及頻率統計"));

    m_list = new ui::TextSortList({QStringLiteral("詞彙"), QStringLiteral("次數"),
                                   QStringLiteral("頻率%"), QStringLiteral("文序")},
                                  this);
    m_list->setObjectName(QStringLiteral("phListView"));
    m_sourceLine = new QLabel(this);
    m_sourceLine->setObjectName(QStringLiteral("lblSource"));
    m_sourceLine->setWordWrap(true);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_export = new QPushButton(QStringLiteral("匯出…"), this);
    m_export->setObjectName(QStringLiteral("cmdExport"));
    m_export->setEnabled(false);
    connect(m_export, &QPushButton::clicked, this, &FrequencyWindow::exportList);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_export);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_sourceLine);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    resize(sizeHint());
}

void FrequencyWindow::setResult(std::shared_ptr<const FrequencyResult> result,
                                ui::ResultSource source) {
    m_result = result ? std::move(result) : std::make_shared<const FrequencyResult>();
    m_source = std::move(source);
    const FrequencyResult &r = *m_result;
    std::vector<std::vector<ui::TextSortList::Cell>> rows;
    rows.reserve(r.size());
    for (std::size_t i = 0; i < r.size(); ++i) {
        const auto count = static_cast<double>(r.FreqCounts[i]);
        const auto order = static_cast<double>(i + 1);
        rows.push_back(
            {ui::TextSortList::text(QString::fromStdU16String(r.FreqWords[i])),
             ui::TextSortList::number(QString::number(r.FreqCounts[i]), count),
             ui::TextSortList::number(QString::fromStdU16String(r.percentText(i)), r.percent(i)),
             ui::TextSortList::number(QString::number(i + 1), order)});
    }
    m_list->clearRows();
    m_list->addRows(rows);
    m_sourceLine->setText(m_source.statusLine(QString()));
    m_summary->setText(
        r.empty() ? QStringLiteral("沒有可統計的詞：已斷詞的文字裡，每個詞後面都有兩個空白。")
                  : totalsText());
    m_export->setEnabled(!r.empty());
}

QString FrequencyWindow::totalsText() const {
    if (!m_result)
        return {};
    return ui::wordTotalsText(m_result->WordTotal, m_result->size());
}

std::string FrequencyWindow::exportBytes() const {
    return ui::csvExport(m_source, totalsText(), m_list->shownRows(true));
}

bool FrequencyWindow::exportTo(const QString &path, QString *error) const {
    return ui::saveFile(path, exportBytes(), error);
}

void FrequencyWindow::exportList() {
    ui::exportWithDialog(this, QStringLiteral("詞頻統計.csv"), QStringLiteral("CSV 檔 (*.csv)"),
                         exportBytes());
}

QSize FrequencyWindow::sizeHint() const {
    return QSize(480, 460);
}

} // namespace yuedu::wordstats
