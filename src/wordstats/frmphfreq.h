#pragma once
// The word frequency window: one row per distinct word with its count, its percentage of all
// words and its place in ascending order. It is filled once, when built, from the latest word
// frequency of a Toolsort, and does not follow later runs.
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "wordstats/textsortlist.h"
#include "wordstats/toolsort.h"

namespace yuedu {

class FrmPhFreq : public QWidget {
    Q_OBJECT
public:
    // The size a new window opens with, also inside an MDI area.
    QSize sizeHint() const override;

    explicit FrmPhFreq(const Toolsort &results, QWidget *parent = nullptr);

    TextSortList *phListView() const { return m_list; }

    // Writes the list as shown (header row first) as UTF-8 CSV.
    bool exportTo(const QString &path, QString *error = nullptr) const;

public slots:
    void exportList(); // "匯出…"

private:
    TextSortList *m_list;
    QLabel *m_summary;
    QPushButton *m_export;
};

} // namespace yuedu
