// The analysis commands, run from their menu items on small data built here.
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QTreeWidget>
#include <atomic>

#include "app/analysiscommands.h"
#include "app/longtask.h"
#include "app/notice.h"
#include "apptestsupport.h"
#include "charprofile/charprofilewindow.h"
#include "databuild/gradefile.h"
#include "databuild/segdict.h"
#include "databuild/sensefile.h"
#include "wordstats/frequencywindow.h"

using namespace yuedu;
using namespace yuedu::app;
using yuedu::wordstats::FrequencyWindow;

namespace {

void buildData(AppContext &c) {
    databuild::GradeSources grades;
    grades.lists[0] = {{u"天", 11}, {u"人", 23}};
    grades.lists[1] = {{u"天地", 12}};
    databuild::SenseSources senses;
    senses.words = {{u"天地", 1}, {u"宇宙", 1}, {u"人", 43}};
    senses.chars = {{u'天', {1, 0, 1, 0, 37, 4}}, {u'地', {2, 0, 2, 4, 32, 6}}};
    c.data.loadImages(databuild::buildGradeFile(grades),
                      databuild::buildSegFile({u"天地", u"玄黃", u"宇宙", u"洪荒"}),
                      databuild::buildSenseFile(senses));
    c.lexicon = seg::Lexicon::builtIn();
}

void setText(AppFixture &app, const QString &text) {
    app.trigger("MDImnunew");
    app.box()->setSelText(text);
    app.box()->setSelection(0, 0);
}

// Answers the genre dialog with 非詩歌類 and 對話類.
void answerGenreDialog() {
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("Frmarttype") && w->isVisible()) {
                w->findChild<QRadioButton *>(QStringLiteral("styOption2"))->click();
                w->findChild<QRadioButton *>(QStringLiteral("styOption3"))->click();
                w->findChild<QPushButton *>(QStringLiteral("cmdstyok"))->click();
            }
    });
}

// Presses Esc on the genre dialog as soon as it shows.
void escapeGenreDialog() {
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("Frmarttype") && w->isVisible())
                QTest::keyClick(w, Qt::Key_Escape);
    });
}

// Clicks 取消 on the progress dialog of the given name whenever it first shows.
void cancelProgressWhenShown(const char *name) {
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, name] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible()) {
                w->findChild<QPushButton *>()->click();
                timer->stop();
                timer->deleteLater();
            }
    });
    timer->start(1);
}

bool shownInArea(AppFixture &app, QWidget *w) {
    for (QMdiSubWindow *s : app.main->mdiArea()->subWindowList())
        if (s->widget() == w)
            return s->isVisible();
    return false;
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { closeOpenNotice(); }

    void resultNameEndsAtTheFirstFullStopOfTheFileName() {
        const struct {
            QString file, result;
        } cases[] = {
            {QStringLiteral("C:\\data\\story.txt"), QStringLiteral("C:\\data\\story.rxt")},
            {QStringLiteral("/home/u/story.old.txt"), QStringLiteral("/home/u/story.rxt")},
            // A dot in a folder name keeps the result beside its source.
            {QStringLiteral("/home/u/.local/a.txt"), QStringLiteral("/home/u/.local/a.rxt")},
            {QStringLiteral("D:\\my.texts\\a.txt"), QStringLiteral("D:\\my.texts\\a.rxt")},
            {QStringLiteral("/home/u/.local/notes"), QStringLiteral("rxt")},
            {QStringLiteral("/home/u/notes"), QStringLiteral("rxt")},
            {QString(), QStringLiteral("rxt")}};
        for (const auto &c : cases) {
            AppFixture app([](AppContext &ctx) { buildData(ctx); });
            setText(app, QStringLiteral("天地"));
            app.main->activeDocument()->setFile(c.file, {});
            app.trigger("MDImnuphpart");
            DocumentWindow *result = app.main->activeDocument();
            QCOMPARE(result->windowTitle(), QStringLiteral("結果檔 - ") + c.result);
            QCOMPARE(result->filePath(), c.result);
            QCOMPARE(app.documents().size(), 2);
            cleanup();
        }
    }

    void segmentationWritesTheResultAndItsNotice() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        setText(app, QStringLiteral("天地玄黃，宇宙洪荒。"));
        QGuiApplication::clipboard()->setText(QStringLiteral("keep"));
        app.trigger("MDImnuphpart");
        QCOMPARE(app.box()->Text(), QStringLiteral("天地  玄黃  宇宙  洪荒  \n"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep"));
        NoticeWindow *n = openNotice();
        QVERIFY(n);
        QCOMPARE(n->Labeltip()->text(), QStringLiteral("  斷詞後的注意事項"));
        QVERIFY(n->lblTipText()->text().startsWith(QStringLiteral("   1. 斷詞後尚有瑕疵")));

        // Only the selection is segmented when there is one.
        app.main->mdiArea()->setActiveSubWindow(app.main->mdiArea()->subWindowList()[0]);
        app.box()->setSelection(5, 2);
        app.trigger("MDImnuphpart");
        QCOMPARE(app.box()->Text(), QStringLiteral("宇宙  \n"));
        QCOMPARE(app.documents().size(), 3);
    }

    void segmentationWithTenWindowsOpenRefuses() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        for (int k = 0; k < 10; ++k)
            setText(app, QStringLiteral("天地"));
        app.trigger("MDImnuphpart");
        QCOMPARE(app.dialogs->messages, QStringList{kTooManyFiles});
        QCOMPARE(app.documents().size(), 10);
        QCOMPARE(openNotice(), nullptr);
    }

    void wordStatisticsRunAfterTheirNotice_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("window");
        QTest::newRow("frequency") << "MDImnuphfreq"
                                   << "  執行詞頻統計的注意事項"
                                   << "frmphfreq";
        QTest::newRow("grades") << "MDIphgrd"
                                << "  執行詞彙級別的注意事項"
                                << "frmgdph";
        QTest::newRow("senses") << "MDIphsyn"
                                << "  執行詞義屬性的注意事項"
                                << "frmphsyntree";
    }
    void wordStatisticsRunAfterTheirNotice() {
        QFETCH(QString, item);
        QFETCH(QString, heading);
        QFETCH(QString, window);
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        setText(app, QStringLiteral("天地  人  天地  \r\n宇宙  "));
        yuedu::app::RichTextBox *box = app.box();

        // Cancel: nothing runs and the clipboard keeps what it had.
        QGuiApplication::clipboard()->setText(QStringLiteral("keep"));
        QString seenHeading, seenCancel;
        QTimer::singleShot(0, [&] {
            NoticeWindow *n = openNotice();
            seenHeading = n->Labeltip()->text();
            seenCancel = n->cmdNextTip()->text();
            n->cmdNextTip()->click();
        });
        app.trigger(item.toLatin1().constData());
        QCOMPARE(seenHeading, heading);
        QCOMPARE(seenCancel, QStringLiteral(" 取 消 "));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep"));
        QVERIFY(!app.main->findChild<QWidget *>(window));

        answerNoticeWith("cmdOK");
        app.trigger(item.toLatin1().constData());
        QWidget *shown = app.main->findChild<QWidget *>(window);
        QVERIFY(shown);
        QVERIFY(shownInArea(app, shown));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep"));
        QCOMPARE(box->SelLength(), box->Text().size()); // the whole text was taken
    }

    void aSecondRunOnAnotherDocumentShowsTheNewResultAndSource() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        setText(app, QStringLiteral("天地  人  天地  "));
        app.main->activeDocument()->setFile(QStringLiteral("first.txt"), {});
        answerNoticeWith("cmdOK");
        app.trigger("MDImnuphfreq");
        auto *window = app.main->findChild<FrequencyWindow *>(QStringLiteral("frmphfreq"));
        QVERIFY(window);
        QCOMPARE(window->wordList()->topLevelItemCount(), 2);
        auto *source = window->findChild<QLabel *>(QStringLiteral("lblSource"));
        QVERIFY(source->text().contains(QStringLiteral("first.txt")));

        setText(app, QStringLiteral("宇宙  宇宙  人  宇宙  "));
        app.main->activeDocument()->setFile(QStringLiteral("second.txt"), {});
        app.box()->setSelection(0, 8); // "宇宙  宇宙  ": one word, twice
        answerNoticeWith("cmdOK");
        app.trigger("MDImnuphfreq");
        QCOMPARE(app.main->findChildren<FrequencyWindow *>().size(), 1);
        QCOMPARE(window->wordList()->topLevelItemCount(), 1);
        QCOMPARE(window->wordList()->topLevelItem(0)->text(0), QStringLiteral("宇宙"));
        QVERIFY(source->text().contains(QStringLiteral("second.txt（選取範圍）")));
        QVERIFY(window->findChild<QLabel *>(QStringLiteral("lblSummary"))
                    ->text()
                    .contains(QStringLiteral("總詞數 2")));

        // Taking the whole text selected it all; that is still no selection of a part.
        app.main->mdiArea()->setActiveSubWindow(app.main->mdiArea()->subWindowList()[0]);
        answerNoticeWith("cmdOK");
        app.trigger("MDImnuphfreq");
        QVERIFY(source->text().contains(QStringLiteral("first.txt")));
        QVERIFY(!source->text().contains(QStringLiteral("選取範圍")));
    }

    void escOnTheGenreDialogRunsNothingAndLeavesTheProfile() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        setText(app, QStringLiteral("天地。天"));
        escapeGenreDialog();
        app.trigger("MDImnuartprofile");
        QVERIFY(!app.main->commands().profileWindow()); // no window of zeros on a fresh start

        answerGenreDialog();
        app.trigger("MDImnuartprofile");
        auto *length = app.main->commands().profileWindow()->findChild<QLineEdit *>(
            QStringLiteral("wdartlen"));
        QCOMPARE(length->text(), QStringLiteral("全文長﹦ 3"));
        setText(app, QStringLiteral("天"));
        escapeGenreDialog();
        app.trigger("MDImnuartprofile");
        QCOMPARE(length->text(), QStringLiteral("全文長﹦ 3"));
        QVERIFY(app.dialogs->messages.isEmpty());
        QCOMPARE(openNotice(), nullptr);
    }

    void cancellingSegmentationLeavesNoResultDocument_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("repeats");
        // The analysis must outlast the showing of its dialog.
        QTest::newRow("while analysing") << "analysisProgress" << 100000;
        QTest::newRow("while putting the result in") << "insertProgress" << 20000;
    }
    void cancellingSegmentationLeavesNoResultDocument() {
        QFETCH(QString, dialog);
        QFETCH(int, repeats);
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        app.main->commands().setLongTextThreshold(5);
        QString text;
        for (int k = 0; k < repeats; ++k)
            text += QStringLiteral("天地玄黃");
        setText(app, text);
        const QByteArray name = dialog.toLatin1();
        cancelProgressWhenShown(name.constData());
        app.trigger("MDImnuphpart");
        QTRY_COMPARE(app.documents().size(), 1);

        QCOMPARE(openNotice(), nullptr);
    }

    void longTextRunsBehindAProgressDialogWithTheSameResult() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        app.main->commands().setLongTextThreshold(5);
        QString text;
        for (int k = 0; k < 2000; ++k)
            text += QStringLiteral("天地玄黃");
        setText(app, text);
        app.trigger("MDImnuphpart");
        const QString result = app.box()->Text();
        QCOMPARE(result.count(QStringLiteral("天地  ")), 2000);
        QCOMPARE(result.count(u'\n'), 2000 * 2 / 13 + 1);
    }

    void cancellingALongAnalysisReturnsAtOnceAndDropsItsResult() {
        // The worker waits until released, so the dialog is certainly up when cancelled.
        auto release = std::make_shared<std::atomic<bool>>(false);
        auto ran = std::make_shared<std::atomic<bool>>(false);
        bool sawDialog = false;
        QTimer::singleShot(50, [&] {
            QProgressDialog *p = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QStringLiteral("analysisProgress") && w->isVisible())
                    p = qobject_cast<QProgressDialog *>(w);
            sawDialog = p != nullptr;
            if (p)
                p->findChild<QPushButton *>()->click(); // the user's 取消
            else
                release->store(true); // never leave the worker waiting
        });
        const bool done = runLongTask(
            nullptr, 10, QStringLiteral("x"),
            [release, ran] {
                while (!release->load())
                    QThread::msleep(5);
                ran->store(true);
            },
            5);
        QVERIFY(sawDialog);
        QVERIFY(!done);
        QVERIFY(!ran->load());
        release->store(true);
        QTRY_VERIFY(ran->load()); // the worker ends by itself in the background

        // Below the threshold the work runs at once, without a dialog.
        bool direct = false;
        QVERIFY(runLongTask(
            nullptr, 5, QStringLiteral("x"), [&] { direct = true; }, 5));
        QVERIFY(direct);
    }

    void characterProfileTakesOnlyTableHanzi() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        setText(app, QStringLiteral("ab 天地。"));
        app.trigger("MDImnuwdmarge");
        charprofile::CharProfileWindow *w = app.main->commands().characterWindow();
        QCOMPARE(w->profileCharList(), QStringLiteral("天地"));
        QCOMPARE(w->field(QStringLiteral("machwd"))->text(), QStringLiteral("天"));
        QVERIFY(w->isVisible());
        QVERIFY(w->findChild<QPushButton *>(QStringLiteral("wdnextpg"))->isVisible());
        QVERIFY(w->findChild<QPushButton *>(QStringLiteral("wduppg"))->isVisible());

        // ASCII only: nothing to page through; say so and leave the window as it was.
        QVERIFY(app.box());
        app.box()->clear();
        app.box()->setSelText(QStringLiteral("abc"));
        app.trigger("MDImnuwdmarge");
        QCOMPARE(app.dialogs->messages.size(), 1);
        QVERIFY(app.dialogs->messages.front().contains(QStringLiteral("沒有可分析的中文字")));
        QCOMPARE(w->profileCharList(), QStringLiteral("天地"));
        QVERIFY(w->isVisible());
    }

    void emptyDocumentGivesTheNoDataNotice() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        app.trigger("MDImnunew");
        answerGenreDialog();
        app.trigger("MDImnuartprofile");
        NoticeWindow *n = openNotice();
        QVERIFY(n);
        QCOMPARE(n->Labeltip()->text(), QStringLiteral("什麼原因造成這樣？"));
        QVERIFY(!shownInArea(app, app.main->commands().profileWindow()));
        n->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        app.main->mdiArea()->setActiveSubWindow(app.main->mdiArea()->subWindowList()[0]);
        app.trigger("MDImnuwdmarge");
        n = openNotice();
        QVERIFY(n);
        QCOMPARE(n->Labeltip()->text(), QStringLiteral("  什麼原因造成這樣？"));
        QVERIFY(!app.main->commands().characterWindow()->isVisible());
    }

    void articleCommandsShowTheirWindows() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        setText(app, QStringLiteral("天地。天"));
        answerGenreDialog();
        app.trigger("MDImnuartprofile");
        QWidget *profile = app.main->commands().profileWindow();
        QVERIFY(profile);
        QVERIFY(shownInArea(app, profile));
        QCOMPARE(
            profile->findChild<QLineEdit *>(QStringLiteral("wdartlen"))->text().trimmed().right(1),
            QStringLiteral("3"));

        app.main->mdiArea()->setActiveSubWindow(app.main->mdiArea()->subWindowList()[0]);
        app.trigger("MDImnuartatti");
        QWidget *tree = app.main->commands().attributeWindow();
        QVERIFY(tree);
        QVERIFY(shownInArea(app, tree));
        QVERIFY(
            tree->findChild<QTreeWidget *>(QStringLiteral("wordTreeView"))->topLevelItemCount() >
            0);
    }

    void profileOfTextWithoutHanziSaysSoAndKeepsTheLastFigures() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        setText(app, QStringLiteral("天地。天"));
        answerGenreDialog();
        app.trigger("MDImnuartprofile");
        auto *length = app.main->commands().profileWindow()->findChild<QLineEdit *>(
            QStringLiteral("wdartlen"));
        const QString before = length->text();
        QVERIFY(app.dialogs->messages.isEmpty());

        app.main->mdiArea()->setActiveSubWindow(app.main->mdiArea()->subWindowList()[0]);
        setText(app, QStringLiteral("abc，。"));
        answerGenreDialog();
        app.trigger("MDImnuartprofile");
        QCOMPARE(app.dialogs->messages.size(), 1);
        QVERIFY(app.dialogs->messages.front().contains(QStringLiteral("沒有可分析的中文字")));
        QCOMPARE(length->text(), before);

        // The attribute distribution says so too, and opens no window.
        app.trigger("MDImnuartatti");
        QCOMPARE(app.dialogs->messages.size(), 2);
        QVERIFY(app.dialogs->messages.back().contains(QStringLiteral("沒有可分析的中文字")));
        QVERIFY(!app.main->commands().attributeWindow());
    }

    void commandsWithoutADocumentExplainWhy() {
        AppFixture app([](AppContext &ctx) { buildData(ctx); });
        QGuiApplication::clipboard()->setText(QStringLiteral("keep"));
        for (const char *item : {"MDImnuartprofile", "MDImnuartatti", "MDImnuphpart",
                                 "MDImnuphfreq", "MDIphgrd", "MDIphsyn", "MDImnuwdmarge"})
            app.trigger(item);
        QCOMPARE(app.dialogs->messages.size(), 7);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep"));
        QVERIFY(app.documents().isEmpty());
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
