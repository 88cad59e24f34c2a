#pragma once
// The charts of the result windows and the comparison: stacked bars of shares per text, a
// scatter of two figures of the texts, and word frequency against rank on log–log axes. Each
// is a ChartPanel: the chart and a button that saves it as PNG or SVG.
//
// They stay readable from one text to several hundred: a text's label is its name elided in the
// middle (the whole name in the tooltip), bars lie horizontally and the panel scrolls once there
// are more texts than fit, each bar and point tells its text, value and level on hover, and
// ordered levels (grades, general-use levels) take a sequential palette that stays apart in
// print.
#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

class QChart;
class QChartView;

namespace yuedu::ui {

class ChartPanel;

// values[s][c]: the part of segment s (a grade, a level) in category c (a text).
struct StackedBars {
    QString title;
    QString valueTitle;
    QStringList categories; // full names; the axis shows them elided
    QStringList segments;
    QVector<QVector<double>> values;
    bool orderedSegments = true; // the segments are levels in order: a sequential palette
    // Called with the category (0-based) of a clicked bar.
    std::function<void(int)> clicked;
};

struct ScatterPoint {
    QString label;
    double x = 0;
    double y = 0;
    bool marked = false; // drawn apart, e.g. an estimated grade outside its formula's range
};

struct Scatter {
    QString title;
    QString xTitle;
    QString yTitle;
    QVector<ScatterPoint> points;
    bool logX = false;
    QString markedName; // the legend entry of the marked points
    // Called with the index of a clicked point in points.
    std::function<void(int)> clicked;
};

// Texts beyond this many lie as horizontal bars in a scrolling panel.
inline constexpr int kHorizontalBarsFrom = 16;
// The widest a text's label is on an axis, in characters; longer names are elided in the middle.
inline constexpr int kLabelChars = 18;

// name elided in the middle to at most max characters ("長長的名…稱.txt").
QString elideMiddle(const QString &name, int max = kLabelChars);
// n colours from the viridis scale, dark to light; distinct in grey print too.
QVector<QColor> sequentialPalette(int n);
// Whether a variable spanning [min, max] (both above 0) is best read on a log axis: more than
// two orders of magnitude.
bool spansOrdersOfMagnitude(double min, double max);

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
    // Shows chart; minimumHeight (0: none) makes the panel scroll for a tall chart.
    void setChart(QChart *chart, int minimumHeight = 0);
    QChartView *view() const { return m_view; }

private:
    void save();
    QChartView *m_view;
};

// The height a chart of that many horizontal bars needs to keep every label readable.
int barChartHeight(int categories);

} // namespace yuedu::ui
