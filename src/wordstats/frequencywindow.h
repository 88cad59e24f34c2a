#pragma once
// The word frequency window: one row per distinct word with its count, its percentage of all
// words and its place in ascending order, and a line naming the text it was computed from.
// It shows exactly one result; a new run replaces it.
#include <memory>

#include "ui/resultwindow.h"
#include "ui/textsortlist.h"
#include "wordstats/frequency.h"

class QLabel;
class QPushButton;

namespace yuedu::wordstats {

class FrequencyWindow : public ui::ResultView<FrequencyResult> {
    Q_OBJECT
public:
    explicit FrequencyWindow(QWidget *parent = nullptr);

    // The size a new window opens with, also inside an MDI area.
    QSize sizeHint() const override;

    // The list of words.
    ui::TextSortList *wordList() const { return m_list; }
    // "總詞數 N　相異詞數 M".
    QString totalsText() const override;

    // The list as shown (source and totals first, percentages at full precision) as UTF-8 CSV.
    std::string exportBytes() const override;

private:
    void showResult() override;

    ui::TextSortList *m_list;
    QLabel *m_summary;
    QPushButton *m_export;
};

} // namespace yuedu::wordstats
