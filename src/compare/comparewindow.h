#pragma once
// The 比較分析 window: a list of texts (open documents, files, folders), the comparison run in
// the background with progress and cancel, the table of figures (number columns sort as
// numbers, columns can be hidden, CSV export) and the charts of the set.
#include <QPointer>
#include <QString>
#include <QThread>
#include <QVector>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "compare/comparison.h"
#include "ui/resultwindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;

namespace yuedu::seg {
class Lexicon;
}
namespace yuedu::ui {
class ChartPanel;
}

namespace yuedu::compare {

// A document open in the program: its caption and its whole text.
struct OpenText {
    QString name;
    QString text;
};

class CompareWindow : public ui::ResultView<CompareResult> {
    Q_OBJECT
public:
    // data and lexicon must outlive the window; openTexts gives the documents open now.
    CompareWindow(const LanguageData &data, const seg::Lexicon &lexicon,
                  std::function<QVector<OpenText>()> openTexts, QWidget *parent = nullptr);
    ~CompareWindow() override;

    // Adds files and folders (a folder gives the text files in it, in path order).
    void addPaths(const QStringList &paths);
    void addOpenTexts();
    void start();
    void cancel();
    bool isRunning() const { return !m_task.isNull(); }

    QTableView *table() const { return m_table; }
    QTabWidget *tabs() const { return m_tabs; }
    const std::vector<TextRow> &rows() const { return m_result->rows; }
    QString totalsText() const override;
    // The table as comma-separated values, the header first.
    std::string exportBytes() const override;
    std::string csvText() const { return exportBytes(); }
    bool exportCsv(const QString &path, QString *error) { return exportTo(path, error); }

signals:
    void finished();

private:
    void removeSelected();
    void showProgress(std::size_t done, std::size_t total);
    void showResult() override;
    void fillTable();
    void fillCharts();
    void fillRankChart();
    void fillScatter();
    void chooseColumns(const QPoint &at);
    void updateButtons();

    const LanguageData &m_data;
    const seg::Lexicon &m_lexicon;
    std::function<QVector<OpenText>()> m_openTexts;
    std::vector<TextSource> m_sources;

    QPointer<QThread> m_task;
    std::shared_ptr<std::atomic<bool>> m_cancel;

    QListWidget *m_list;
    QCheckBox *m_poetry;
    QCheckBox *m_dialogue;
    QPushButton *m_addOpen;
    QPushButton *m_addFiles;
    QPushButton *m_addFolder;
    QPushButton *m_remove;
    QPushButton *m_run;
    QPushButton *m_stop;
    QPushButton *m_export;
    QProgressBar *m_progress;
    QLabel *m_status;
    QTabWidget *m_tabs;
    QTableView *m_table;
    QStandardItemModel *m_model;
    ui::ChartPanel *m_gradeChart;
    ui::ChartPanel *m_levelChart;
    ui::ChartPanel *m_scatterChart;
    ui::ChartPanel *m_rankChart;
    QComboBox *m_scatterX;
    QComboBox *m_rankText;
};

} // namespace yuedu::compare
