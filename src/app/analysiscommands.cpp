#include "app/analysiscommands.h"

#include <QMdiSubWindow>
#include <atomic>

#include "app/appcontext.h"
#include "app/longtask.h"
#include "app/mainwindow.h"
#include "app/richtextbox.h"
#include "app/wordcontextcommands.h"
#include "app/worktext.h"
#include "article/articleattributes.h"
#include "article/articleprofile.h"
#include "article/attributetreewindow.h"
#include "article/genredialog.h"
#include "article/profiletext.h"
#include "article/profilewindow.h"
#include "charprofile/charprofilewindow.h"
#include "langdata/datafingerprint.h"
#include "segment/phrasedivider.h"
#include "wordstats/frequency.h"
#include "wordstats/frequencywindow.h"
#include "wordstats/gradewindow.h"
#include "wordstats/senses.h"
#include "wordstats/sensetreewindow.h"

namespace yuedu::app {

using namespace wordstats;

namespace {

const QString kNoDataBody = QStringLiteral(
    "  這種現象是因為沒有分析資料。解決的辦法是先執行編輯選項，選取文章部份內容或全部內容。");
const QString kLine2 = QStringLiteral("    2. 若沒有斷過詞的檔案，可以執行本系統的斷詞分析。");
const QString kLine3 = QStringLiteral("    3. 需要使用本系統的斷詞分析，請按【取消】鍵。");
const QString kWorking = QStringLiteral("正在分析，請稍候……");
const QString kNoHanzi =
    QStringLiteral("選取的文字中沒有可分析的中文字，無法分析；先前的分析結果保留不變。");

// Hides a result window living in the child area (its sub-window frame too).
void hideChild(QWidget *w) {
    if (!w)
        return;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget()))
        sub->hide();
    else
        w->hide();
}

} // namespace

QString resultFileName(const QString &fileName) {
    // The first "." of the file's own name counts: a dot in a folder name (~/.local, say)
    // must not cut the path short and put the result into another folder.
    const qsizetype nameStart = qMax(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\')) + 1;
    const qsizetype p = fileName.indexOf(u'.', nameStart);
    return (p < 0 ? QString() : fileName.left(p + 1)) + QStringLiteral("rxt");
}

AnalysisCommands::AnalysisCommands(MainWindow &main)
    : m_main(main), m_threshold(kLongTextThreshold) {}

AnalysisCommands::~AnalysisCommands() = default;

QWidget *AnalysisCommands::profileWindow() const {
    return m_profileWindow.data();
}
QWidget *AnalysisCommands::attributeWindow() const {
    return m_attributeWindow.data();
}
QWidget *AnalysisCommands::frequencyWindow() const {
    return m_frequencyWindow.data();
}
QWidget *AnalysisCommands::gradeWindow() const {
    return m_gradeWindow.data();
}
QWidget *AnalysisCommands::senseWindow() const {
    return m_senseWindow.data();
}

charprofile::CharProfileWindow *AnalysisCommands::characterWindow() {
    if (!m_characterWindow)
        m_characterWindow = new charprofile::CharProfileWindow(m_main.context().data, &m_main);
    return m_characterWindow;
}

bool AnalysisCommands::requireDocument() {
    if (m_main.activeDocument())
        return true;
    // Every analysis reads a document window; say so instead of analysing nothing.
    m_main.dialogs().message(&m_main,
                             QStringLiteral("請先開啟檔案（開啟舊檔或開啟新檔），並選取要分析的"
                                            "文字所在的文件視窗，再執行分析。"));
    return false;
}

ui::ResultSource AnalysisCommands::activeSource() const {
    ui::ResultSource source;
    source.time = QDateTime::currentDateTime();
    // The data never changes while the program runs: its fingerprint is taken once.
    if (m_dataVersion.isEmpty())
        m_dataVersion = QString::fromStdString(dataFingerprint(m_main.context().data));
    source.dataVersion = m_dataVersion;
    DocumentWindow *doc = m_main.activeDocument();
    if (!doc)
        return source;
    source.name = doc->filePath().isEmpty() ? doc->windowTitle() : doc->filePath();
    // Taking the text selects all of it when nothing was selected; a selection of the whole
    // text is the whole text.
    const int selected = doc->textBox()->SelLength();
    source.selection = selected > 0 && selected < doc->textBox()->Text().size();
    return source;
}

template <class Result, class Analysis>
std::shared_ptr<const Result> AnalysisCommands::runAnalysis(long long textLength,
                                                            Analysis analyse) {
    // The worker writes into a slot it shares: a cancelled one finishes into nothing.
    auto slot = std::make_shared<std::shared_ptr<const Result>>();
    if (!runLongTask(
            &m_main, textLength, kWorking,
            [slot, analyse = std::move(analyse)] {
                *slot = std::make_shared<const Result>(analyse());
            },
            m_threshold))
        return nullptr;
    return std::move(*slot);
}

template <class Window, class Result>
void AnalysisCommands::present(QPointer<Window> &window, std::shared_ptr<const Result> result,
                               ui::ResultSource source) {
    if (!window)
        window = new Window;
    window->setResult(std::move(result), std::move(source));
    m_main.showChildWindow(window);
}

std::shared_ptr<seg::PhraseDivider> AnalysisCommands::divider() {
    // A cancelled segmentation may still be running on its worker; the divider is not made
    // for two runs at once, so the next run gets a fresh one.
    if (!m_divider || (m_dividerBusy && m_dividerBusy->load())) {
        m_divider =
            std::make_shared<seg::PhraseDivider>(m_main.context().data, m_main.context().lexicon);
        m_dividerBusy = std::make_shared<std::atomic<bool>>(false);
    }
    return m_divider;
}

void AnalysisCommands::articleProfile() {
    if (!requireDocument())
        return;
    ui::ResultSource source = activeSource();
    const QString articleText = workText(m_main.activeTextBox());
    if (!m_genreDialog)
        m_genreDialog = new article::ArticleGenreDialog(&m_main);
    const std::optional<article::ArticleGenre> genre = m_genreDialog->ask();
    // Esc or the title bar's close: nothing runs, and a profile on show stays as it was.
    if (!genre)
        return;

    if (articleText.isEmpty()) {
        m_genreDialog->hide();
        Notice &notice = m_main.notice();
        notice.setHeading(QStringLiteral("什麼原因造成這樣？"));
        notice.setBody({kNoDataBody});
        hideChild(m_profileWindow);
        notice.showModeless();
        return;
    }

    const LanguageData &data = m_main.context().data;
    auto result = runAnalysis<article::ProfileResult>(
        articleText.size(), [&data, text = articleText.toStdU16String(), genre] {
            return article::artprofile(data, text, genre);
        });
    if (!result)
        return;
    // Text without a single hanzi of the tables has no profile: say so, and leave a profile on
    // show untouched rather than open a window of zeros.
    if (!result->done()) {
        m_main.dialogs().message(&m_main, QString::fromStdU16String(std::u16string(
                                              article::profileOutcomeMessage(result->outcome))));
        return;
    }
    present(m_profileWindow, std::move(result), std::move(source));
}

void AnalysisCommands::articleAttributes() {
    if (!requireDocument())
        return;
    ui::ResultSource source = activeSource();
    const LanguageData &data = m_main.context().data;
    const QString articleText = workText(m_main.activeTextBox());
    auto result = runAnalysis<article::AttributeResult>(
        articleText.size(),
        [&data, text = articleText.toStdU16String()] { return article::artattri(data, text); });
    if (!result)
        return;
    if (!result->found()) {
        m_main.dialogs().message(&m_main, kNoHanzi);
        return;
    }
    present(m_attributeWindow, std::move(result), std::move(source));
}

void AnalysisCommands::segmentText() {
    if (!requireDocument())
        return;
    const QString wordText = workText(m_main.activeTextBox());
    const QString resultName = resultFileName(m_main.activeDocument()->filePath());

    if (m_main.documents().size() >= kMaxDocuments) {
        m_main.dialogs().message(&m_main, kTooManyFiles);
        return;
    }
    // The result document is made only once there is a result: a cancelled run leaves no
    // empty document behind under the name of a real result, which a save would overwrite.
    auto openResult = [this, &resultName]() -> DocumentWindow * {
        DocumentWindow *result = m_main.createDocument();
        if (result)
            result->setResult(resultName);
        return result;
    };
    if (wordText.isEmpty()) {
        openResult(); // nothing to segment: the result stays empty and no notice follows
        return;
    }

    auto divider = this->divider();
    auto busy = m_dividerBusy;
    auto text = std::make_shared<std::u16string>(wordText.toStdU16String());
    auto segmented = std::make_shared<std::u16string>();
    busy->store(true);
    const bool done = runLongTask(
        &m_main, static_cast<long long>(text->size()), kWorking,
        [divider, busy, text, segmented] {
            *segmented = divider->DivideText(*text);
            busy->store(false);
        },
        m_threshold);
    if (!done)
        return;
    QPointer<DocumentWindow> result(openResult());
    if (!result)
        return;
    // A long result goes in piece by piece behind its own progress dialog; cancelling it
    // takes the half-filled document away again, without asking to save it.
    if (!insertInSteps(&m_main, result->textBox(), QString::fromStdU16String(*segmented),
                       m_threshold)) {
        if (result)
            result->discard();
        return;
    }

    Notice &notice = m_main.notice();
    notice.setHeading(QStringLiteral("  斷詞後的注意事項"));
    notice.setBody({QStringLiteral("   1. 斷詞後尚有瑕疵，您可以用人工的方式在本檔案上修改。"),
                    QStringLiteral("    2. 修改時，詞與詞之間的分隔，必須要有【兩個】空白鍵。"),
                    QStringLiteral("    3. 修改以後可以存檔以備日後使用。")});
    notice.showModeless();
}

void AnalysisCommands::wordFrequency() {
    wordStatistic(WordStatistic::Frequency);
}
void AnalysisCommands::vocabularyGrades() {
    wordStatistic(WordStatistic::Grades);
}
void AnalysisCommands::senseClasses() {
    wordStatistic(WordStatistic::Senses);
}

void AnalysisCommands::wordStatistic(WordStatistic which) {
    if (!requireDocument())
        return;
    static const QString headings[] = {QStringLiteral("  執行詞頻統計的注意事項"),
                                       QStringLiteral("  執行詞彙級別的注意事項"),
                                       QStringLiteral("  執行詞義屬性的注意事項")};
    static const QString firstLines[] = {
        QStringLiteral("   1. 執行詞頻統計分析項目前，必須使用已斷詞的檔案，才可執行。"),
        QStringLiteral("   1. 執行詞彙級別分析項目前，必須使用已斷詞的檔案，才可執行。"),
        QStringLiteral("   1. 執行詞義屬性分析項目前，必須使用已斷詞的檔案，才可執行。")};
    const int k = static_cast<int>(which);

    Notice &notice = m_main.notice();
    notice.setHeading(headings[k]);
    notice.setBody({firstLines[k], kLine2, kLine3});
    notice.showCancelButton();
    if (!notice.showModal())
        return;

    ui::ResultSource source = activeSource();
    const LanguageData &data = m_main.context().data;
    // Shared with the result window, which looks double-clicked words up in it.
    auto text =
        std::make_shared<const std::u16string>(workText(m_main.activeTextBox()).toStdU16String());
    const long long length = static_cast<long long>(text->size());

    switch (which) {
    case WordStatistic::Senses:
        if (auto result = runAnalysis<SenseResult>(
                length, [&data, text] { return SenseClasses(data, *text); })) {
            present(m_senseWindow, std::move(result), source);
            // A word double-clicked there is looked up in the text the result came from.
            m_main.wordContext().updateWords(m_senseWindow, text, source);
        }
        return;
    case WordStatistic::Grades:
        if (auto result = runAnalysis<GradeResult>(
                length, [&data, text] { return VocabularyGrades(data, *text); })) {
            present(m_gradeWindow, std::move(result), source);
            m_main.wordContext().updateWords(m_gradeWindow, text, source);
        }
        return;
    case WordStatistic::Frequency:
        if (auto result =
                runAnalysis<FrequencyResult>(length, [text] { return WordFrequency(*text); })) {
            present(m_frequencyWindow, std::move(result), source);
            m_main.wordContext().updateWords(m_frequencyWindow, text, source);
        }
        return;
    }
}

void AnalysisCommands::characterProfile() {
    if (!requireDocument())
        return;
    ui::ResultSource source = activeSource();
    const QString text = workText(m_main.activeTextBox());
    charprofile::CharProfileWindow *window = characterWindow();
    if (text.isEmpty()) {
        window->refreshCharacter();
        window->show();
        Notice &notice = m_main.notice();
        notice.setHeading(QStringLiteral("  什麼原因造成這樣？"));
        notice.setBody({kNoDataBody});
        notice.showModeless();
        window->hide();
        return;
    }
    const LanguageData &data = m_main.context().data;
    auto result = runAnalysis<charprofile::CharProfileResult>(
        text.size(), [&data, chars = text.toStdU16String()] {
            return charprofile::characterProfiles(data, chars);
        });
    if (!result)
        return;
    // A text without a hanzi of the tables has nothing to page through: say so instead of
    // opening a window of zeros.
    if (result->empty()) {
        m_main.dialogs().message(&m_main, kNoHanzi);
        return;
    }
    window->start(std::move(result), std::move(source));
}

} // namespace yuedu::app
