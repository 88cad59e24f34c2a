#include "app/analysiscommands.h"

#include <QMdiSubWindow>
#include <atomic>

#include "app/appcontext.h"
#include "app/longtask.h"
#include "app/mainwindow.h"
#include "app/worktext.h"
#include "article/attributetreewindow.h"
#include "article/genredialog.h"
#include "article/profiletext.h"
#include "article/profilewindow.h"
#include "charprofile/fworddisp.h"
#include "langdata/big5.h"
#include "segment/phrasedivider.h"
#include "ui/richtextbox.h"
#include "wordstats/frmgdph.h"
#include "wordstats/frmphfreq.h"
#include "wordstats/frmphsyntree.h"

namespace yuedu::app {

namespace {

const QString kNoDataBody = QStringLiteral(
    "  這種現象是因為沒有分析資料。解決的辦法是先執行編輯選項，選取文章部份內容或全部內容。");
const QString kLine2 = QStringLiteral("    2. 若沒有斷過詞的檔案，可以執行本系統的斷詞分析。");
const QString kLine3 = QStringLiteral("    3. 需要使用本系統的斷詞分析，請按【取消】鍵。");
const QString kWorking = QStringLiteral("正在分析，請稍候……");

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
    : m_main(main), m_threshold(kLongTextThreshold), m_profile(main.context().data),
      m_attributes(main.context().data), m_toolsort(main.context().data),
      m_phsyn(main.context().data) {}

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
    GetWorkText(m_main.activeTextBox(), ArticleText);
    if (!m_genreDialog)
        m_genreDialog = new article::ArticleGenreDialog(&m_main);
    const std::optional<article::ArticleGenre> genre = m_genreDialog->ask();

    auto fresh = std::make_shared<article::ArticleProfile>(m_main.context().data);
    auto text = std::make_shared<std::u16string>(ArticleText.toStdU16String());
    auto outcome = std::make_shared<article::ProfileOutcome>(article::ProfileOutcome::EmptyText);
    const bool done = runLongTask(
        &m_main, static_cast<long long>(text->size()), kWorking,
        [fresh, text, genre, outcome] { *outcome = fresh->artprofile(*text, genre); }, m_threshold);
    if (!done)
        return;
    if (*outcome == article::ProfileOutcome::Done) {
        m_profile.ProfileTotals = fresh->ProfileTotals;
        m_profile.RadicalSeen = fresh->RadicalSeen;
        m_profile.ProfileDistinct = std::move(fresh->ProfileDistinct);
        m_profile.DistinctCounts = std::move(fresh->DistinctCounts);
        m_profile.ClauseMarks = std::move(fresh->ClauseMarks);
    }

    if (!m_profileWindow)
        m_profileWindow = new article::ArticleProfileWindow(m_profile);
    m_profileWindow->zancf_Change();
    m_main.showChildWindow(m_profileWindow);
    // Text without a single hanzi of the tables has no profile: say so, so that the figures of
    // the previous text, still on show, are not taken for this one's.
    if (*outcome == article::ProfileOutcome::NoTableCharacters)
        m_main.dialogs().message(&m_main, QString::fromStdU16String(std::u16string(
                                              article::profileOutcomeMessage(*outcome))));

    if (ArticleText.isEmpty()) {
        m_genreDialog->hide();
        Notice &notice = m_main.notice();
        notice.setHeading(QStringLiteral("什麼原因造成這樣？"));
        notice.setBody({kNoDataBody});
        hideChild(m_profileWindow);
        notice.showModeless();
    }
}

void AnalysisCommands::articleAttributes() {
    if (!requireDocument())
        return;
    GetWorkText(m_main.activeTextBox(), ArticleText);
    auto fresh = std::make_shared<article::ArticleAttributes>(m_main.context().data);
    auto text = std::make_shared<std::u16string>(ArticleText.toStdU16String());
    auto found = std::make_shared<bool>(false);
    if (!runLongTask(
            &m_main, static_cast<long long>(text->size()), kWorking,
            [fresh, text, found] { *found = fresh->artattri(*text); }, m_threshold))
        return;
    m_attributes.initials = fresh->initials;
    m_attributes.medials = fresh->medials;
    m_attributes.finals = fresh->finals;
    m_attributes.tones = fresh->tones;
    m_attributes.strokes = fresh->strokes;
    m_attributes.radicals = fresh->radicals;
    m_attributes.levels = fresh->levels;
    if (!*found)
        return; // no hanzi of the tables: no window
    if (!m_attributeWindow)
        m_attributeWindow = new article::AttributeTreeWindow(m_attributes);
    else
        m_attributeWindow->buildTree();
    m_main.showChildWindow(m_attributeWindow);
}

void AnalysisCommands::segmentText() {
    if (!requireDocument())
        return;
    GetWorkText(m_main.activeTextBox(), WordText);
    DocumentWindow *source = m_main.activeDocument();
    m_main.CurrentSlot = source->slot();
    const QString sourceName =
        source->slot() >= 0 ? m_main.documentSlots().fileName(source->slot()) : QString();
    const QString resultName = resultFileName(sourceName);

    const int s = m_main.findfree();
    if (s < 0) {
        m_main.dialogs().message(&m_main, kTooManyFiles);
        return;
    }
    DocumentWindow *result = m_main.loadSlotWindow(s);
    result->setWindowTitle(kResultCaption + resultName);
    result->setTag(QString::number(s));
    m_main.CurrentSlot = s;
    m_main.documentSlots().fileName(s) = resultName;
    if (WordText.isEmpty())
        return; // nothing to segment: the result stays empty and no notice follows

    // The result window is watched from before the analysis: a window closed meanwhile is
    // not written to.
    QPointer<DocumentWindow> guard(result);
    auto divider = this->divider();
    auto busy = m_dividerBusy;
    auto text = std::make_shared<std::u16string>(WordText.toStdU16String());
    auto segmented = std::make_shared<std::u16string>();
    busy->store(true);
    const bool done = runLongTask(
        &m_main, static_cast<long long>(text->size()), kWorking,
        [divider, busy, text, segmented] {
            *segmented = divider->DivideText(*text);
            busy->store(false);
        },
        m_threshold);
    if (!done || !guard)
        return;
    // One insertion of the whole result: the box lays it out once.
    result->Rhtxtword()->setSelText(QString::fromStdU16String(*segmented));

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
    notice.NoticeCancelled = false;
    notice.setHeading(headings[k]);
    notice.setBody({firstLines[k], kLine2, kLine3});
    notice.showCancelButton();
    notice.showModal();
    if (notice.NoticeCancelled)
        return;

    GetWorkText(m_main.activeTextBox(), WordText);
    const LanguageData &data = m_main.context().data;
    auto text = std::make_shared<std::u16string>(WordText.toStdU16String());
    WordText.clear(); // the analysis consumes its text
    const long long length = static_cast<long long>(text->size());

    if (which == WordStatistic::Senses) {
        auto fresh = std::make_shared<Phsyn>(data);
        if (!runLongTask(
                &m_main, length, kWorking, [fresh, text] { fresh->SenseClasses(*text); },
                m_threshold))
            return;
        m_phsyn.WordTotal = fresh->WordTotal;
        m_phsyn.FreqWords = std::move(fresh->FreqWords);
        m_phsyn.SenseClassLists = std::move(fresh->SenseClassLists);
        if (!m_senseWindow)
            m_senseWindow = new FrmPhSynTree(m_phsyn);
        m_main.showChildWindow(m_senseWindow);
        return;
    }

    auto fresh = std::make_shared<Toolsort>(data);
    const bool grades = which == WordStatistic::Grades;
    if (!runLongTask(
            &m_main, length, kWorking,
            [fresh, text, grades] {
                if (grades)
                    fresh->VocabularyGrades(*text);
                else
                    fresh->WordFrequency(*text);
            },
            m_threshold))
        return;
    m_toolsort.WordTotal = fresh->WordTotal;
    if (grades) {
        m_toolsort.GradeWords = std::move(fresh->GradeWords);
        m_toolsort.GradeCounts = std::move(fresh->GradeCounts);
        m_toolsort.GradeCodes = std::move(fresh->GradeCodes);
        if (!m_gradeWindow)
            m_gradeWindow = new FrmGdph(m_toolsort);
        m_main.showChildWindow(m_gradeWindow);
    } else {
        m_toolsort.FreqWords = std::move(fresh->FreqWords);
        m_toolsort.FreqCounts = std::move(fresh->FreqCounts);
        if (!m_frequencyWindow)
            m_frequencyWindow = new FrmPhFreq(m_toolsort);
        m_main.showChildWindow(m_frequencyWindow);
    }
}

void AnalysisCommands::characterProfile() {
    if (!requireDocument())
        return;
    QString text;
    GetWorkText(m_main.activeTextBox(), text);
    charprofile::CharProfileWindow *window = characterWindow();
    if (!text.isEmpty()) {
        ProfileCharList.clear();
        for (QChar c : text)
            if (tableOrdinal(c.unicode()) >= 0)
                ProfileCharList += c;
        ProfileChar = ProfileCharList.left(1);
        window->start(ProfileCharList);
        return;
    }
    window->machwd_Change();
    window->show();
    Notice &notice = m_main.notice();
    notice.setHeading(QStringLiteral("  什麼原因造成這樣？"));
    notice.setBody({kNoDataBody});
    notice.showModeless();
    window->hide();
}

} // namespace yuedu::app
