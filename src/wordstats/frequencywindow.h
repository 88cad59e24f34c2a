#pragma once
// The word frequency window: one row per distinct word with its count, its percentage of all
// words and its place in ascending order, and a line naming the text it was computed from.
// It shows exactly one result; a new run replaces it.
#include <QWidget>
#include <memory>

#include "ui/resultsource.h"
#include "ui/textsortlist.h"
#include "wordstats/frequency.h"

class QLabel;
class QPushButton;

namespace yuedu {

class FrequencyWindow : public QWidget {
    Q_OBJECT
public:
    explicit FrequencyWindow(QWidget *parent = nullptr);

    // The size a new window opens with, also inside an MDI area.
    QSize sizeHint() const override;

    // Shows result in place of whatever was shown.
    void setResult(std::shared_ptr<const FrequencyResult> result, ui::ResultSource source);
    const std::shared_ptr<const FrequencyResult> &result() const { return m_result; }
    const ui::ResultSource &source() const { return m_source; }

    ui::TextSortList *phListView() const { return m_list; }
    // "總詞數 N　相異詞數 M".
    QString totalsText() const;

    // Writes the list as shown (source and totals first, percentages at full precision) as
    // UTF-8 CSV.
    std::string exportBytes() const;
    bool exportTo(const QString &path, QString *error = nullptr) const;

public slots:
    void exportList(); // "匯出…"

private:
    std::shared_ptr<const FrequencyResult> m_result;
    ui::ResultSource m_source;
    ui::TextSortList *m_list;
    QLabel *m_sourceLine;
    QLabel *m_summary;
    QPushButton *m_export;
};

} // namespace yuedu
