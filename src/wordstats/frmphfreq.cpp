#include "wordstats/frmphfreq.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "wordstats/exporttext.h"
#include "wordstats/resultexport.h"

namespace yuedu {
namespace {

QString noWordsText() {
    return QStringLiteral("沒有可統計的詞：已斷詞的文字裡，每個詞後面都有兩個空白。");
}

} // namespace

FrmPhFreq::FrmPhFreq(const Toolsort &results, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmphfreq"));
    setWindowTitle(QStringLiteral("詞彙出現次數及頻率統計"));

    m_list = new TextSortList({QStringLiteral("詞彙"), QStringLiteral("次數"),
                               QStringLiteral("頻率%"), QStringLiteral("文序")},
                              this);
    m_list->setObjectName(QStringLiteral("phListView"));

    std::vector<QStringList> rows;
    rows.reserve(results.FreqWords.size());
    for (std::size_t i = 0; i < results.FreqWords.size(); ++i)
        rows.push_back({QString::fromStdU16String(results.FreqWords[i]),
                        QString::number(results.FreqCounts[i]),
                        QString::fromStdU16String(results.percentText(i)),
                        QString::number(static_cast<qulonglong>(i) + 1)});
    m_list->addRows(rows);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    if (rows.empty())
        m_summary->setText(noWordsText());
    else
        m_summary->setText(QStringLiteral("總詞數 %1　相異詞數 %2")
                               .arg(results.WordTotal)
                               .arg(static_cast<qulonglong>(rows.size())));

    m_export = new QPushButton(QStringLiteral("匯出…"), this);
    m_export->setObjectName(QStringLiteral("cmdExport"));
    m_export->setEnabled(!rows.empty());
    connect(m_export, &QPushButton::clicked, this, &FrmPhFreq::exportList);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_export);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    resize(sizeHint());
}

bool FrmPhFreq::exportTo(const QString &path, QString *error) const {
    return writeExportFile(path, csvUtf8(m_list->shownRows()), error);
}

void FrmPhFreq::exportList() {
    exportWithDialog(this, QStringLiteral("詞頻統計.csv"), QStringLiteral("CSV 檔 (*.csv)"),
                     csvUtf8(m_list->shownRows()));
}

QSize FrmPhFreq::sizeHint() const {
    return QSize(480, 460);
}

} // namespace yuedu
