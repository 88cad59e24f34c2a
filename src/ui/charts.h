#pragma once
// The charts of the result windows and the comparison: stacked bars of shares per text, a
// scatter of two figures of the texts, and word frequency against rank on log–log axes. Each
// is a ChartPanel: the chart and a button that saves it as PNG or SVG.
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <cstdint>
#include <vector>

class QChart;
class QChartView;

namespace yuedu::ui {

class ChartPanel;

// values[s][c]: the part of segment s (a grade, a level) in category c (a text).
struct StackedBars {
    QString title;
    QString valueTitle;
    QStringList categories;
    QStringList segments;
    QVector<QVector<double>> values;
};

struct ScatterPoint {
    QString label;
    double x = 0;
    double y = 0;
};

struct Scatter {
    QString title;
    QString xTitle;
    QString yTitle;
    QVector<ScatterPoint> points;
};

// One line per text (or one for the whole set): the counts of its words, any order.
struct RankFrequency {
    QString title;
    QStringList names;
    std::vector<std::vector<std::int64_t>> counts;
};

QChart *stackedBarChart(const StackedBars &data);
QChart *scatterChart(const Scatter &data);
QChart *rankFrequencyChart(const RankFrequency &data);

// Saves what the view shows: SVG when the name ends in .svg, else a PNG. Returns an empty
// string or the reason it failed.
QString saveChart(QChartView *view, const QString &path);

// Shows the chart in a window of its own beside owner (closed with it), as the single-text
// result windows do for their 圖表… button. The window takes the chart.
ChartPanel *showChartWindow(QWidget *owner, QChart *chart, const QString &caption);

// A chart with a 儲存圖表… button under it. The panel owns the chart; setChart replaces it.
class ChartPanel : public QWidget {
    Q_OBJECT
public:
    explicit ChartPanel(QWidget *parent = nullptr);
    void setChart(QChart *chart);
    QChartView *view() const { return m_view; }

private:
    void save();
    QChartView *m_view;
};

} // namespace yuedu::ui
