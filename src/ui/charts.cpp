#include "ui/charts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace yuedu::ui {

QChart *stackedBarChart(const StackedBars &data) {
    auto *chart = new QChart;
    chart->setTitle(data.title);
    auto *series = new QStackedBarSeries;
    for (int s = 0; s < data.segments.size() && s < data.values.size(); ++s) {
        auto *set = new QBarSet(data.segments[s]);
        for (double v : data.values[s])
            *set << v;
        series->append(set);
    }
    chart->addSeries(series);
    auto *x = new QBarCategoryAxis;
    x->append(data.categories);
    if (data.categories.size() > 12)
        x->setLabelsAngle(-60);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto *y = new QValueAxis;
    y->setTitleText(data.valueTitle);
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

QChart *scatterChart(const Scatter &data) {
    auto *chart = new QChart;
    chart->setTitle(data.title);
    auto *series = new QScatterSeries;
    series->setMarkerSize(9);
    series->setName(data.yTitle);
    double xmax = 0, ymin = 0, ymax = 0;
    for (const auto &p : data.points) {
        series->append(p.x, p.y);
        xmax = std::max(xmax, p.x);
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    // The text under the pointer, since a point alone does not say which text it is.
    QObject::connect(series, &QScatterSeries::hovered, series,
                     [points = data.points](const QPointF &at, bool state) {
                         if (!state)
                             return;
                         for (const auto &p : points)
                             if (p.x == at.x() && p.y == at.y()) {
                                 QToolTip::showText(QCursor::pos(), p.label);
                                 return;
                             }
                     });
    chart->addSeries(series);
    auto *x = new QValueAxis;
    x->setTitleText(data.xTitle);
    x->setRange(0, xmax > 0 ? xmax * 1.05 : 1);
    x->setLabelFormat(QStringLiteral("%.0f"));
    auto *y = new QValueAxis;
    y->setTitleText(data.yTitle);
    y->setRange(ymin < 0 ? ymin * 1.1 : 0, ymax > 0 ? ymax * 1.1 : 1);
    x->applyNiceNumbers();
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->hide();
    return chart;
}

QChart *rankFrequencyChart(const RankFrequency &data) {
    auto *chart = new QChart;
    chart->setTitle(data.title);
    double maxRank = 10, maxCount = 10;
    std::vector<QLineSeries *> lines;
    for (std::size_t i = 0; i < data.counts.size(); ++i) {
        std::vector<std::int64_t> counts = data.counts[i];
        std::sort(counts.begin(), counts.end(), std::greater<>());
        auto *line = new QLineSeries;
        line->setName(i < static_cast<std::size_t>(data.names.size())
                          ? data.names[static_cast<int>(i)]
                          : QString());
        // Long lists are thinned on a logarithmic scale: a point per 1/200 of a decade is more
        // than a screen shows, and a million points would make the chart crawl.
        double lastLog = -1;
        for (std::size_t r = 0; r < counts.size() && counts[r] > 0; ++r) {
            const double rankLog = std::log10(static_cast<double>(r + 1));
            if (r + 1 < counts.size() && rankLog - lastLog < 0.005)
                continue;
            lastLog = rankLog;
            line->append(static_cast<double>(r + 1), static_cast<double>(counts[r]));
        }
        maxRank = std::max(maxRank, static_cast<double>(counts.size()));
        if (!counts.empty())
            maxCount = std::max(maxCount, static_cast<double>(counts.front()));
        chart->addSeries(line);
        lines.push_back(line);
    }
    auto *x = new QLogValueAxis;
    x->setTitleText(QStringLiteral("名次"));
    x->setLabelFormat(QStringLiteral("%g"));
    x->setBase(10);
    x->setRange(1, std::pow(10.0, std::ceil(std::log10(maxRank))));
    auto *y = new QLogValueAxis;
    y->setTitleText(QStringLiteral("次數"));
    y->setLabelFormat(QStringLiteral("%g"));
    y->setBase(10);
    y->setRange(1, std::pow(10.0, std::ceil(std::log10(maxCount))));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries *line : lines) {
        line->attachAxis(x);
        line->attachAxis(y);
    }
    if (lines.size() > 8)
        chart->legend()->hide();
    else
        chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

QString saveChart(QChartView *view, const QString &path) {
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(view->size());
        svg.setViewBox(QRect(QPoint(0, 0), view->size()));
        svg.setTitle(view->chart() ? view->chart()->title() : QString());
        QPainter painter;
        if (!painter.begin(&svg))
            return QStringLiteral("無法寫入檔案：%1").arg(path);
        view->render(&painter);
        painter.end();
        return {};
    }
    if (!view->grab().save(path, "PNG"))
        return QStringLiteral("無法寫入檔案：%1").arg(path);
    return {};
}

ChartPanel *showChartWindow(QWidget *owner, QChart *chart, const QString &caption) {
    auto *panel = new ChartPanel(owner);
    panel->setWindowFlag(Qt::Window);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setWindowTitle(caption);
    panel->setChart(chart);
    panel->resize(640, 460);
    panel->show();
    return panel;
}

ChartPanel::ChartPanel(QWidget *parent) : QWidget(parent), m_view(new QChartView(this)) {
    m_view->setRenderHint(QPainter::Antialiasing);
    auto *save = new QPushButton(QStringLiteral("儲存圖表…"), this);
    save->setObjectName(QStringLiteral("cmdsavechart"));
    connect(save, &QPushButton::clicked, this, &ChartPanel::save);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
}

void ChartPanel::setChart(QChart *chart) {
    QChart *old = m_view->chart();
    m_view->setChart(chart);
    // The view owns the chart it shows; the one it showed before is left to us.
    if (old && old != chart)
        delete old;
}

void ChartPanel::save() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("儲存圖表"), QString(),
                                     QStringLiteral("PNG 圖片 (*.png);;SVG 向量圖 (*.svg)"));
    if (path.isEmpty())
        return;
    const QString error = saveChart(m_view, path);
    if (!error.isEmpty())
        QMessageBox::warning(this, QStringLiteral("儲存圖表"), error);
}

} // namespace yuedu::ui
