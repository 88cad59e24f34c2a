#pragma once
// The seven analysis commands of the menus: each takes its text from the active document,
// runs its analysis off the user-interface thread and hands the result, with the name of the
// document, to its window (each result window exists once and shows the latest result).
#include <QPointer>
#include <QString>
#include <atomic>
#include <memory>

#include "ui/resultsource.h"

class QWidget;

namespace yuedu {
namespace wordstats {
class FrequencyWindow;
class GradeWindow;
class SenseTreeWindow;
} // namespace wordstats
namespace seg {
class PhraseDivider;
}
namespace article {
class ArticleGenreDialog;
class ArticleProfileWindow;
class AttributeTreeWindow;
} // namespace article
namespace charprofile {
class CharProfileWindow;
}
} // namespace yuedu

namespace yuedu::app {

class MainWindow;

// The result name of a segmentation: the path up to and including the first "." of the file's
// own name (its last component), followed by "rxt" ("rxt" alone for a name without ".").
QString resultFileName(const QString &fileName);

class AnalysisCommands {
public:
    explicit AnalysisCommands(MainWindow &main);
    ~AnalysisCommands();

    void articleProfile();    // 結構面向
    void articleAttributes(); // 屬性查詢
    void segmentText();       // 斷詞處理
    void wordFrequency();     // 詞頻統計
    void vocabularyGrades();  // 詞彙級別
    void senseClasses();      // 詞義類別
    void characterProfile();  // 綜合面向

    // Texts longer than this are analysed behind a cancellable progress dialog.
    void setLongTextThreshold(long long n) { m_threshold = n; }

    // The result windows, while they exist.
    QWidget *profileWindow() const;
    QWidget *attributeWindow() const;
    QWidget *frequencyWindow() const;
    QWidget *gradeWindow() const;
    QWidget *senseWindow() const;
    charprofile::CharProfileWindow *characterWindow();

private:
    // Runs analyse() (which returns a Result) off the user-interface thread, behind the
    // cancellable progress dialog for a text of more than the threshold. Null when cancelled.
    template <class Result, class Analysis>
    std::shared_ptr<const Result> runAnalysis(long long textLength, Analysis analyse);
    // Hands result and its source to the window (made when missing) and shows it.
    template <class Window, class Result>
    void present(QPointer<Window> &window, std::shared_ptr<const Result> result,
                 ui::ResultSource source);

    enum class WordStatistic { Frequency, Grades, Senses };
    void wordStatistic(WordStatistic which);
    bool requireDocument();
    // Names the active document and says whether its selection is what will be analysed;
    // taken before the text, which clears the selection.
    ui::ResultSource activeSource() const;
    std::shared_ptr<seg::PhraseDivider> divider();

    MainWindow &m_main;
    long long m_threshold;
    std::shared_ptr<seg::PhraseDivider> m_divider;
    std::shared_ptr<std::atomic<bool>> m_dividerBusy;
    mutable QString m_dataVersion;

    QPointer<article::ArticleGenreDialog> m_genreDialog;
    QPointer<article::ArticleProfileWindow> m_profileWindow;
    QPointer<article::AttributeTreeWindow> m_attributeWindow;
    QPointer<wordstats::FrequencyWindow> m_frequencyWindow;
    QPointer<wordstats::GradeWindow> m_gradeWindow;
    QPointer<wordstats::SenseTreeWindow> m_senseWindow;
    QPointer<charprofile::CharProfileWindow> m_characterWindow;
};

} // namespace yuedu::app
