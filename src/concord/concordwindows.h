#pragma once
// The windows of words in context: 語境檢索 (concordance and where the hits fall), 詞串
// (clusters), 搭配詞 (collocates) and 關鍵詞 (keywords). Each looks words up in one corpus (a
// document, its selection, or files and folders), names it on its source line and in its CSV
// export, and runs again on the same corpus when its settings change. The program hands the
// windows their corpus; a window asks for another through CorpusRequest.
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "concord/concordance.h"
#include "concord/wordstatistics.h"
#include "ui/resultsource.h"
#include "ui/textsortlist.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace yuedu::concord {

// A corpus the windows look words up in, and where it came from.
struct CorpusChoice {
    std::shared_ptr<const WordCorpus> corpus;
    ui::ResultSource source;
};

enum class CorpusKind { ActiveDocument, Files, Folder, OpenTexts };
// Asks the program for a corpus of that kind (the user may cancel: nullopt).
using CorpusRequest = std::function<std::optional<CorpusChoice>(QWidget *parent, CorpusKind)>;

// The line over every window: what the words are looked up in, with buttons to choose another.
class CorpusBar : public QWidget {
    Q_OBJECT
public:
    CorpusBar(CorpusRequest request, QWidget *parent = nullptr);
    void setCorpus(CorpusChoice choice);
    const CorpusChoice &choice() const { return m_choice; }
    bool hasCorpus() const { return m_choice.corpus != nullptr; }

signals:
    void corpusChanged();

private:
    void ask(CorpusKind kind);
    CorpusRequest m_request;
    CorpusChoice m_choice;
    QLabel *m_label;
};

// The common frame: the corpus bar, the settings row, a list, a source line with the settings
// and an export button.
class WordContextWindow : public QWidget {
    Q_OBJECT
public:
    CorpusBar *corpusBar() const { return m_bar; }
    ui::TextSortList *list() const { return m_list; }
    // The CSV export: source, settings and totals first, then every row.
    virtual std::string exportBytes() const;
    QString settingsLine() const { return m_settings; }

public slots:
    virtual void run() = 0;
    void exportList();

protected:
    WordContextWindow(const QString &title, const QString &fileName, const QStringList &headers,
                      CorpusRequest request, QWidget *parent);
    QHBoxLayout *settingsRow() const { return m_row; }
    // Shows rows with the settings and totals line; a message instead when there are none.
    void showRows(const std::vector<std::vector<ui::TextSortList::Cell>> &rows,
                  const QString &settings, const QString &empty);
    void showError(const QString &message);
    QVBoxLayout *mainLayout() const { return m_layout; }

    CorpusBar *m_bar;
    ui::TextSortList *m_list;

private:
    QVBoxLayout *m_layout;
    QHBoxLayout *m_row;
    QLabel *m_sourceLine;
    QPushButton *m_export;
    QString m_fileName;
    QString m_settings;
};

class ConcordanceWindow : public WordContextWindow {
    Q_OBJECT
public:
    explicit ConcordanceWindow(CorpusRequest request, QWidget *parent = nullptr);
    // Looks word up (as a whole word) in the corpus shown.
    void lookUp(const QString &word);
    const std::shared_ptr<const ConcordanceResult> &result() const { return m_result; }
    std::string exportBytes() const override;
    QLineEdit *queryEdit() const { return m_query; }
    QComboBox *sortBox() const { return m_sort; }
    // The corpus the result shown was taken from.
    const CorpusChoice &resultCorpus() const { return m_resultCorpus; }
    QSize sizeHint() const override { return QSize(820, 520); }

signals:
    // A line was double-clicked: the text it is in (index into the texts of resultCorpus())
    // and where the word stands in that text.
    void lineActivated(quint32 text, quint32 start, quint32 length);

public slots:
    void run() override;

private:
    void activate(int row);
    QLineEdit *m_query;
    QComboBox *m_kind;
    QSpinBox *m_width;
    QCheckBox *m_words;
    QComboBox *m_sort;
    QTabWidget *m_tabs;
    QWidget *m_dispersion;
    std::shared_ptr<const ConcordanceResult> m_result;
    CorpusChoice m_resultCorpus;
};

class NgramWindow : public WordContextWindow {
    Q_OBJECT
public:
    explicit NgramWindow(CorpusRequest request, QWidget *parent = nullptr);
    QSpinBox *sizeBox() const { return m_n; }
    QSize sizeHint() const override { return QSize(660, 520); }
public slots:
    void run() override;

private:
    QSpinBox *m_n, *m_minFreq, *m_minRange;
    QLineEdit *m_around;
};

class CollocateWindow : public WordContextWindow {
    Q_OBJECT
public:
    explicit CollocateWindow(CorpusRequest request, QWidget *parent = nullptr);
    void lookUp(const QString &word);
    QSize sizeHint() const override { return QSize(760, 520); }
public slots:
    void run() override;

private:
    QLineEdit *m_word;
    QSpinBox *m_left, *m_right, *m_minFreq;
};

// The word counts of the texts 比較分析 has compared, and a name for them; nullopt when there
// are none.
using ReferenceRequest = std::function<std::optional<std::pair<WordCounts, QString>>()>;

class KeywordWindow : public WordContextWindow {
    Q_OBJECT
public:
    KeywordWindow(CorpusRequest request, ReferenceRequest openCorpus, QWidget *parent = nullptr);
    // The reference: a frequency table (the freq command's form) or word counts of a corpus.
    bool loadReferenceTable(const QString &path, QString *error = nullptr);
    void setReference(WordCounts counts, const QString &name);
    QSize sizeHint() const override { return QSize(760, 520); }
public slots:
    void run() override;

private:
    void chooseReferenceTable();
    void referenceFromOpenTexts();
    QLabel *m_referenceLabel;
    QSpinBox *m_minFreq;
    QCheckBox *m_onlySignificant;
    WordCounts m_reference;
    QString m_referenceName;
    ReferenceRequest m_openCorpus;
};

} // namespace yuedu::concord
