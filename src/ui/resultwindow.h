#pragma once
// What every result window has: a line naming the text the result came from with its totals,
// an export of the result, and, where the result has one, a chart in a window of its own. A
// window shows exactly one result; setResult replaces it whole.
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "ui/resultsource.h"

class QChart;
class QLabel;
class QPushButton;

namespace yuedu::ui {

class ResultWindow : public QWidget {
    Q_OBJECT
public:
    // What an export is called and offered as: "詞頻統計.csv", "CSV 檔 (*.csv)".
    struct ExportKind {
        QString suggestedName;
        QString filter;
    };

    const ResultSource &source() const { return m_source; }
    // The totals named beside the source ("總詞數 N　相異詞數 M"); empty before a result.
    virtual QString totalsText() const = 0;

    // The result as the export writes it, and writing it to path (false with the reason).
    virtual std::string exportBytes() const = 0;
    bool exportTo(const QString &path, QString *error = nullptr) const;

    QLabel *sourceLine() const { return m_sourceLine; }

public slots:
    // Asks where to write the export and writes it ("匯出…").
    void exportResult();
    // Shows the chart of the result in a window of its own ("圖表…"); nothing without one.
    void showChart();

protected:
    ResultWindow(const ExportKind &kind, QWidget *parent, Qt::WindowFlags flags = {});

    // The chart of the result shown, or null when it has none.
    virtual QChart *makeChart() const { return nullptr; }
    // The caption of the chart's window.
    virtual QString chartCaption() const { return windowTitle(); }

    // A button that exports, and one that shows the chart, with their object names.
    QPushButton *exportButton(const QString &objectName, const QString &caption = {});
    QPushButton *chartButton(const QString &objectName = QStringLiteral("cmdChart"));

    // Takes the source of a new result and rewrites the source line with totalsText().
    void setSource(ResultSource source);
    void refreshSourceLine();

private:
    ExportKind m_kind;
    ResultSource m_source;
    QLabel *m_sourceLine;
};

// The window pattern for one kind of result: holds it as shared_ptr<const Result> and calls
// showResult() whenever it changes. A window without a result holds an empty one.
template <class Result> class ResultView : public ResultWindow {
public:
    void setResult(std::shared_ptr<const Result> result, ResultSource source) {
        m_result = result ? std::move(result) : std::make_shared<const Result>();
        setSource(std::move(source));
        showResult();
        refreshSourceLine();
    }
    const std::shared_ptr<const Result> &result() const { return m_result; }

protected:
    ResultView(const ExportKind &kind, QWidget *parent, Qt::WindowFlags flags = {})
        : ResultWindow(kind, parent, flags), m_result(std::make_shared<const Result>()) {}
    // Puts m_result on screen (the source line follows).
    virtual void showResult() = 0;

    std::shared_ptr<const Result> m_result;
};

} // namespace yuedu::ui
