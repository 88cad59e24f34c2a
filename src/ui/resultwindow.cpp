#include "ui/resultwindow.h"

#include <QLabel>
#include <QPushButton>

#include "ui/charts.h"
#include "ui/savefile.h"

namespace yuedu::ui {

ResultWindow::ResultWindow(const ExportKind &kind, QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_kind(kind), m_sourceLine(new QLabel(this)) {
    m_sourceLine->setObjectName(QStringLiteral("lblSource"));
    m_sourceLine->setWordWrap(true);
    m_sourceLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

bool ResultWindow::exportTo(const QString &path, QString *error) const {
    return saveFile(path, exportBytes(), error);
}

void ResultWindow::exportResult() {
    exportWithDialog(this, m_kind.suggestedName, m_kind.filter, exportBytes());
}

void ResultWindow::showChart() {
    if (QChart *chart = makeChart())
        showChartWindow(this, chart, chartCaption());
}

QPushButton *ResultWindow::exportButton(const QString &objectName, const QString &caption) {
    auto *button = new QPushButton(caption.isEmpty() ? QStringLiteral("匯出…") : caption, this);
    button->setObjectName(objectName);
    connect(button, &QPushButton::clicked, this, &ResultWindow::exportResult);
    return button;
}

QPushButton *ResultWindow::chartButton(const QString &objectName) {
    auto *button = new QPushButton(QStringLiteral("圖表…"), this);
    button->setObjectName(objectName);
    connect(button, &QPushButton::clicked, this, &ResultWindow::showChart);
    return button;
}

void ResultWindow::setSource(ResultSource source) {
    m_source = std::move(source);
}

void ResultWindow::refreshSourceLine() {
    const QString totals = totalsText();
    m_sourceLine->setText(m_source.name.isEmpty() && !m_source.time.isValid() && totals.isEmpty()
                              ? QString()
                              : m_source.statusLine(totals));
}

} // namespace yuedu::ui
