#include "ui/charts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHorizontalStackedBarSeries>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace yuedu::ui {

QString elideMiddle(const QString &name, int max) {
    if (name.size() <= max || max < 3)
        return name;
    const int keep = max - 1;
    const int front = (keep + 1) / 2;
    return name.left(front) + QStringLiteral("…") + name.right(keep - front);
}

QVector<QColor> sequentialPalette(int n) {
    // Viridis at ten even steps, dark blue to yellow: ordered, apart for colour-blind readers
    // and in grey print.
    static const QColor anchors[] = {QColor(0x44, 0x01, 0x54), QColor(0x48, 0x28, 0x78),
                                     QColor(0x3e, 0x49, 0x89), QColor(0x31, 0x68, 0x8e),
                                     QColor(0x26, 0x82, 0x8e), QColor(0x1f, 0x9e, 0x89),
                                     QColor(0x35, 0xb7, 0x79), QColor(0x6e, 0xce, 0x58),
                                     QColor(0xb5, 0xde, 0x2b), QColor(0xfd, 0xe7, 0x25)};
    constexpr int kAnchors = 10;
    QVector<QColor> colours;
    for (int i = 0; i < n; ++i) {
        const double t = n > 1 ? static_cast<double>(i) / (n - 1) * (kAnchors - 1) : 0.0;
        const int a = std::min(static_cast<int>(t), kAnchors - 2);
        const double f = t - a;
        const QColor &lo = anchors[a];
        const QColor &hi = anchors[a + 1];
        colours << QColor::fromRgbF(
            static_cast<float>(lo.redF() + (hi.redF() - lo.redF()) * f),
            static_cast<float>(lo.greenF() + (hi.greenF() - lo.greenF()) * f),
            static_cast<float>(lo.blueF() + (hi.blueF() - lo.blueF()) * f));
    }
    return colours;
}

bool spansOrdersOfMagnitude(double min, double max) {
    return min > 0 && max > 0 && max / min > 100;
}

int barChartHeight(int categories) {
    return categories > kHorizontalBarsFrom ? 120 + categories * 18 : 0;
}

QChart *stackedBarChart(const StackedBars &data) {
    auto *chart = new QChart;
    chart->setTitle(data.title);
    const int n = static_cast<int>(data.categories.size());
    const bool horizontal = n > kHorizontalBarsFrom;
    // Horizontal bars list the first text at the top, where the category axis starts at the
    // bottom: the categories go in reversed.
    auto place = [n, horizontal](int c) { return horizontal ? n - 1 - c : c; };
    QAbstractBarSeries *series = nullptr;
    if (horizontal)
        series = new QHorizontalStackedBarSeries;
    else
        series = new QStackedBarSeries;
    const QVector<QColor> palette = sequentialPalette(static_cast<int>(data.segments.size()));
    for (int s = 0; s < data.segments.size() && s < data.values.size(); ++s) {
        auto *set = new QBarSet(data.segments[s]);
        QVector<double> values(n, 0.0);
        for (int c = 0; c < n && c < data.values[s].size(); ++c)
            values[place(c)] = data.values[s][c];
        for (double v : values)
            *set << v;
        if (data.orderedSegments) {
            set->setColor(palette[s]);
            set->setBorderColor(palette[s].darker(130));
        }
        const QString segment = data.segments[s];
        const QStringList names = data.categories;
        const QString unit = data.valueTitle;
        QObject::connect(
            set, &QBarSet::hovered, set, [set, segment, names, unit, place](bool on, int index) {
                if (!on) {
                    QToolTip::hideText();
                    return;
                }
                const int c = place(index);
                if (c < 0 || c >= names.size())
                    return;
                QToolTip::showText(QCursor::pos(), names[c] + QStringLiteral("\n") + segment +
                                                       QStringLiteral("：") +
                                                       QString::number(set->at(index), 'f', 2) +
                                                       QStringLiteral(" ") + unit);
            });
        if (data.clicked)
            QObject::connect(set, &QBarSet::clicked, set,
                             [clicked = data.clicked, place](int index) { clicked(place(index)); });
        series->append(set);
    }
    chart->addSeries(series);
    QStringList labels;
    for (int c = 0; c < n; ++c) {
        QString label = elideMiddle(data.categories[place(c)]);
        // The axis takes each label once: an elided twin gets a blank to tell it apart.
        while (labels.contains(label))
            label += u' ';
        labels << label;
    }
    auto *categories = new QBarCategoryAxis;
    categories->append(labels);
    // The labels are elided here, in the middle where names differ least; the axis must not cut
    // them again at their end.
    categories->setTruncateLabels(false);
    if (!horizontal && n > 6)
        categories->setLabelsAngle(-60);
    auto *values = new QValueAxis;
    values->setTitleText(data.valueTitle);
    values->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(categories, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
    chart->addAxis(values, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(categories);
    series->attachAxis(values);
    chart->legend()->setAlignment(horizontal ? Qt::AlignTop : Qt::AlignRight);
    return chart;
}

QChart *scatterChart(const Scatter &data) {
    auto *chart = new QChart;
    chart->setTitle(data.title);
    // The plain points and the marked ones, each with the indexes of its points in data.points.
    auto *plain = new QScatterSeries;
    plain->setMarkerSize(9);
    plain->setName(data.yTitle);
    auto *marked = new QScatterSeries;
    marked->setMarkerSize(11);
    marked->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    marked->setColor(QColor(0xd6, 0x27, 0x28));
    marked->setBorderColor(QColor(0x7f, 0x00, 0x00));
    marked->setName(data.markedName.isEmpty() ? QStringLiteral("＊") : data.markedName);
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool first = true;
    std::vector<int> plainIndex, markedIndex;
    for (int i = 0; i < data.points.size(); ++i) {
        const ScatterPoint &p = data.points[i];
        if (data.logX && p.x <= 0)
            continue; // no place on a log axis
        (p.marked ? marked : plain)->append(p.x, p.y);
        (p.marked ? markedIndex : plainIndex).push_back(i);
        xmin = first ? p.x : std::min(xmin, p.x);
        xmax = first ? p.x : std::max(xmax, p.x);
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
        first = false;
    }
    // The text under the pointer, since a point alone does not say which text it is.
    auto tell = [points = data.points, xTitle = data.xTitle,
                 yTitle = data.yTitle](const std::vector<int> &index, QScatterSeries *series) {
        QObject::connect(
            series, &QScatterSeries::hovered, series,
            [points, index, xTitle, yTitle, series](const QPointF &at, bool on) {
                if (!on) {
                    QToolTip::hideText();
                    return;
                }
                const auto &shown = series->points();
                for (int k = 0; k < shown.size(); ++k)
                    if (shown[k] == at) {
                        const ScatterPoint &p = points[index[static_cast<std::size_t>(k)]];
                        QToolTip::showText(QCursor::pos(), QStringLiteral("%1\n%2：%3\n%4：%5")
                                                               .arg(p.label, xTitle)
                                                               .arg(p.x)
                                                               .arg(yTitle)
                                                               .arg(p.y));
                        return;
                    }
            });
    };
    tell(plainIndex, plain);
    tell(markedIndex, marked);
    if (data.clicked) {
        auto click = [clicked = data.clicked](const std::vector<int> &index,
                                              QScatterSeries *series) {
            QObject::connect(series, &QScatterSeries::clicked, series,
                             [clicked, index, series](const QPointF &at) {
                                 const auto &shown = series->points();
                                 for (int k = 0; k < shown.size(); ++k)
                                     if (shown[k] == at) {
                                         clicked(index[static_cast<std::size_t>(k)]);
                                         return;
                                     }
                             });
        };
        click(plainIndex, plain);
        click(markedIndex, marked);
    }
    chart->addSeries(plain);
    chart->addSeries(marked);
    QAbstractAxis *x = nullptr;
    if (data.logX) {
        auto *log = new QLogValueAxis;
        log->setBase(10);
        log->setLabelFormat(QStringLiteral("%g"));
        log->setMinorTickCount(8);
        const double lo = xmin > 0 ? std::pow(10.0, std::floor(std::log10(xmin))) : 1;
        const double hi = xmax > 0 ? std::pow(10.0, std::ceil(std::log10(xmax))) : 10;
        log->setRange(lo, hi > lo ? hi : lo * 10);
        x = log;
    } else {
        auto *linear = new QValueAxis;
        linear->setRange(0, xmax > 0 ? xmax * 1.05 : 1);
        linear->setLabelFormat(QStringLiteral("%.0f"));
        linear->applyNiceNumbers();
        x = linear;
    }
    x->setTitleText(data.xTitle + (data.logX ? QStringLiteral("（對數座標）") : QString()));
    auto *y = new QValueAxis;
    y->setTitleText(data.yTitle);
    y->setRange(ymin < 0 ? ymin * 1.1 : 0, ymax > 0 ? ymax * 1.1 : 1);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QScatterSeries *series : {plain, marked}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    if (markedIndex.empty())
        chart->legend()->hide();
    else
        chart->legend()->setAlignment(Qt::AlignBottom);
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

ChartPanel::ChartPanel(QWidget *parent) : QWidget(parent), m_view(new QChartView) {
    m_view->setRenderHint(QPainter::Antialiasing);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("chartScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_view);
    auto *save = new QPushButton(QStringLiteral("儲存圖表…"), this);
    save->setObjectName(QStringLiteral("cmdsavechart"));
    connect(save, &QPushButton::clicked, this, &ChartPanel::save);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
}

void ChartPanel::setChart(QChart *chart, int minimumHeight) {
    QChart *old = m_view->chart();
    m_view->setChart(chart);
    // Squeezed below this, a chart cuts its axis labels and titles to "…": the panel scrolls
    // instead.
    constexpr int kReadableHeight = 320;
    m_view->setMinimumHeight(std::max(minimumHeight, kReadableHeight));
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
