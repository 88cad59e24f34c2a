// The character profile window: paging, the demonstration and the farewell.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "../../core/article/articletestdata.h"
#include "charprofile/charprofilewindow.h"
#include "csvread.h"

using namespace yuedu;
using namespace yuedu::charprofile;
using testdata::charRec;
using testdata::detailRec;

class CharProfileWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<LanguageData> m_data;
    std::unique_ptr<CharProfileWindow> m_window;

    QString shown() const { return m_window->field("machwd")->text(); }
    QString fieldText(const char *name) const { return m_window->field(name)->text(); }
    void click(const char *name) {
        auto *b = m_window->findChild<QPushButton *>(QString::fromLatin1(name));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void start(const QString &list) {
        m_window->start(std::make_shared<const CharProfileResult>(CharProfileResult{
                            list.toStdU16String(), article::detailCoverage(*m_data)}),
                        {QStringLiteral("a.txt"), true, {}, {}, {}, {}});
    }
    bool buttonVisible(const char *name) const {
        return m_window->findChild<QPushButton *>(QString::fromLatin1(name))->isVisible();
    }

private slots:
    void initTestCase() {
        // Every character used below has a detail record whose level tells it apart.
        m_data = testdata::makeData({
            {u'天', charRec(36, 4), detailRec(1, 150)},
            {u'地', charRec(32, 6), detailRec(2, 250)},
            {u'人', charRec(9, 2), detailRec(3, 1234)},
            {u'性', charRec(61, 8), detailRec(8, 700)},
            {u'這', charRec(162, 11), detailRec(4, 300)},
        });
    }

    void init() {
        m_window = std::make_unique<CharProfileWindow>(*m_data);
        m_window->setStepDelay(0);
        m_window->setFarewellDelay(0);
    }

    void cleanup() { m_window.reset(); }

    void startsOnTheFirstCharacterWithPagingButtons() {
        QCOMPARE(shown(), QStringLiteral("測"));
        start(QStringLiteral("天地人"));
        QVERIFY(m_window->isVisible());
        QVERIFY(buttonVisible("wdnextpg"));
        QVERIFY(buttonVisible("wduppg"));
        QCOMPARE(shown(), QStringLiteral("天"));
        QCOMPARE(fieldText("zangener"), QStringLiteral("1"));
        QCOMPARE(fieldText("zanscale"), QStringLiteral("1.5"));
    }

    void nextThreeTimesOnThreeCharactersWrapsToTheFirst() {
        start(QStringLiteral("天地人"));
        const QString expected[] = {QStringLiteral("地"), QStringLiteral("人"),
                                    QStringLiteral("天")};
        for (const QString &ch : expected) {
            click("wdnextpg");
            QCOMPARE(shown(), ch);
        }
        QCOMPARE(fieldText("zanscale"), QStringLiteral("1.5"));
        click("wdnextpg");
        QCOMPARE(shown(), QStringLiteral("地"));
        QCOMPARE(fieldText("zanscale"), QStringLiteral("2.5"));
    }

    void previousStopsAtTheFirstCharacter() {
        start(QStringLiteral("天地人"));
        click("wduppg");
        QCOMPARE(shown(), QStringLiteral("天"));
        click("wdnextpg");
        QCOMPARE(shown(), QStringLiteral("地"));
        click("wduppg");
        QCOMPARE(shown(), QStringLiteral("天"));
        // After the wrap at the last character it goes back to the first, not round the end.
        click("wdnextpg");
        click("wdnextpg");
        QCOMPARE(shown(), QStringLiteral("人"));
        click("wduppg");
        QCOMPARE(shown(), QStringLiteral("天"));
        QCOMPARE(fieldText("zanscale"), QStringLiteral("1.5"));
    }

    void repeatsArePagedAndASingleCharacterShowsAgain() {
        start(QStringLiteral("天天地"));
        click("wdnextpg");
        QCOMPARE(shown(), QStringLiteral("天"));
        QCOMPARE(m_window->position(), 2);
        start(QStringLiteral("人"));
        QCOMPARE(m_window->position(), 0);
        click("wdnextpg");
        QCOMPARE(shown(), QStringLiteral("人"));
    }

    void newStartResetsThePosition() {
        start(QStringLiteral("天地人"));
        click("wdnextpg");
        click("wdnextpg");
        start(QStringLiteral("地人"));
        QCOMPARE(m_window->position(), 1);
        QCOMPARE(shown(), QStringLiteral("地"));
        click("wdnextpg");
        QCOMPARE(shown(), QStringLiteral("人"));
    }

    void characterWithoutProfileShowsZerosNotThePreviousFigures() {
        start(QStringLiteral("天鬱"));
        click("wdnextpg");
        QCOMPARE(shown(), QStringLiteral("鬱"));
        QCOMPARE(fieldText("zanscale"), QStringLiteral("0"));
        QCOMPARE(fieldText("zangener"), QStringLiteral("0"));
        auto *note = m_window->findChild<QLabel *>(QStringLiteral("lblNoRecord"));
        QVERIFY(note && note->isVisible());
        click("wduppg");
        QCOMPARE(shown(), QStringLiteral("天"));
        QVERIFY(!note->isVisible());
    }

    void demonstrationRunsApartAndGivesTheTextsViewBack() {
        auto *position = m_window->findChild<QLabel *>(QStringLiteral("lblPosition"));
        auto *source = m_window->findChild<QLabel *>(QStringLiteral("lblSource"));
        const QString textSource = [&] {
            start(QStringLiteral("天地人"));
            return source->text();
        }();
        click("wdnextpg");
        QStringList during;
        m_window->setWait([&](double) {
            if (during.isEmpty()) {
                during << position->text() << source->text();
                // Paging waits: the text's list is not the demonstration's.
                QVERIFY(
                    !m_window->findChild<QPushButton *>(QStringLiteral("wdnextpg"))->isEnabled());
                QVERIFY(!m_window->jumpTo(QStringLiteral("1")));
            }
        });
        click("Cmdwddemo");
        QCOMPARE(during.value(0),
                 QStringLiteral("展示 1 / %1").arg(CharProfileWindow::kDemoText.size()));
        QVERIFY(!during.value(1).contains(QStringLiteral("a.txt")));
        // Afterwards: the text's character, figures, position, name and paging, as before.
        QCOMPARE(shown(), QStringLiteral("地"));
        QCOMPARE(fieldText("zanscale"), QStringLiteral("2.5"));
        QCOMPARE(position->text(), QStringLiteral("2 / 3"));
        QCOMPARE(source->text(), textSource);
        QVERIFY(m_window->jumpNote().isEmpty()); // the jump refused meanwhile may be made now
        QCOMPARE(m_window->profileCharList(), QStringLiteral("天地人"));
        click("wdnextpg");
        QCOMPARE(shown(), QStringLiteral("人"));
        QCOMPARE(position->text(), QStringLiteral("3 / 3"));
        click("wdnextpg");
        QCOMPARE(position->text(), QStringLiteral("1 / 3"));

        // Closed during a second demonstration: reopened, it shows the text.
        m_window->setWait([&](double) { m_window->close(); });
        click("Cmdwddemo");
        QCOMPARE(shown(), QStringLiteral("天"));
        QCOMPARE(position->text(), QStringLiteral("1 / 3"));
        QVERIFY(m_window->findChild<QPushButton *>(QStringLiteral("Cmdwddemo"))->isEnabled());
    }

    void demonstrationWaitsAfterEveryCharacter() {
        m_window->setStepDelay(0.05);
        QStringList shownAtWait;
        QList<double> waits;
        m_window->setWait([&](double seconds) {
            waits << seconds;
            shownAtWait << shown();
        });
        start(QStringLiteral("天"));
        m_window->demonstrate();
        QCOMPARE(waits.size(), CharProfileWindow::kDemoText.size());
        QVERIFY(std::all_of(waits.begin(), waits.end(), [](double s) { return s == 0.05; }));
        QCOMPARE(shownAtWait.join(QString()), CharProfileWindow::kDemoText);
    }

    void theRealDelayKeepsTheWindowResponsive() {
        bool handled = false;
        QMetaObject::invokeMethod(
            m_window.get(), [&] { handled = true; }, Qt::QueuedConnection);
        CharProfileWindow::delay(0);
        QVERIFY(handled);
    }

    void farewellHidesButtonsAndWindow() {
        start(QStringLiteral("天地"));
        click("Cmdwdexit");
        QVERIFY(!m_window->isVisible());
        QVERIFY(!m_window->findChild<QPushButton *>(QStringLiteral("wdnextpg"))
                     ->isVisibleTo(m_window.get()));
        QCOMPARE(m_window->profileCharList(), QStringLiteral("敬請指教"));
        start(QStringLiteral("人"));
        QVERIFY(m_window->isVisible());
        QVERIFY(buttonVisible("wdnextpg"));
        QCOMPARE(shown(), QStringLiteral("人"));
    }

    void startDuringTheDemonstrationStopsIt() {
        int waits = 0;
        m_window->setWait([&](double) {
            if (++waits == 5)
                start(QStringLiteral("地人"));
        });
        start(QStringLiteral("天"));
        m_window->demonstrate();
        QCOMPARE(waits, 5);
        QCOMPARE(shown(), QStringLiteral("地"));
        QCOMPARE(m_window->position(), 1);
        QCOMPARE(m_window->profileCharList(), QStringLiteral("地人"));
    }

    void exportNamesItsSourceAndCaptionsEveryFigure() {
        start(QStringLiteral("天地天"));
        const testsupport::CsvFile read =
            testsupport::parseCsv(QByteArray::fromStdString(m_window->exportBytes()));
        QVERIFY(read.bom);
        QCOMPARE(read.heading(QStringLiteral("來源")), QStringLiteral("a.txt（選取範圍）"));
        QCOMPARE(read.heading(QStringLiteral("總計")), QStringLiteral("字數 3　相異字數 2"));
        const QList<QStringList> table = read.table();
        QCOMPARE(table.size(), 5); // captions, names, three positions
        QCOMPARE(table[0].value(2), QStringLiteral("自由隨意性聯想等級別"));
        QCOMPARE(table[0].last(), QStringLiteral("葦氏兒童認知難易係數"));
        QCOMPARE(table[1].last(), QStringLiteral("zanscale"));
        QCOMPARE(table[2].mid(0, 2), (QStringList{"1", "天"}));
        QCOMPARE(table[2].last(), QStringLiteral("1.5"));
        QCOMPARE(table[3].last(), QStringLiteral("2.5"));
    }

    void asciiOnlyListShowsAnEmptyCharacter() {
        start(QString());
        QVERIFY(m_window->isVisible());
        QCOMPARE(shown(), QString());
        QCOMPARE(fieldText("zangener"), QStringLiteral("0"));
    }

    void fieldsTheDataNeverFillsShowTheNoDataMark() {
        // The test data fills only the level and the coefficient.
        start(QStringLiteral("天"));
        QCOMPARE(fieldText("zanscale"), QStringLiteral("1.5"));
        for (const char *name : {"w23456g", "p468s", "grade2use", "edupto"}) {
            QCOMPARE(fieldText(name), QStringLiteral("—"));
            QVERIFY(!m_window->field(name)->toolTip().isEmpty());
        }
    }

    void positionIsShownAndTheUserJumpsByNumberOrCharacter() {
        start(QStringLiteral("天地人地天"));
        auto *position = m_window->findChild<QLabel *>(QStringLiteral("lblPosition"));
        QVERIFY(position);
        QCOMPARE(position->text(), QStringLiteral("1 / 5"));
        QVERIFY(m_window->findChild<QLabel *>(QStringLiteral("lblSource"))
                    ->text()
                    .contains(QStringLiteral("a.txt（選取範圍）")));
        QVERIFY(m_window->jumpTo(QStringLiteral("4")));
        QCOMPARE(position->text(), QStringLiteral("4 / 5"));
        click("wdnextpg");
        QCOMPARE(shown(), QStringLiteral("天"));
        QCOMPARE(position->text(), QStringLiteral("5 / 5"));
        QVERIFY(m_window->jumpTo(QStringLiteral("地"))); // none after 5: from the start again
        QCOMPARE(position->text(), QStringLiteral("2 / 5"));
        QVERIFY(m_window->jumpTo(QStringLiteral("地"))); // the next one after 2
        QCOMPARE(position->text(), QStringLiteral("4 / 5"));
        // Where there is no such place the note says why, and the text stays where it was.
        const std::pair<const char *, const char *> nowhere[] = {
            {"0", "沒有第 0 個位置：共 5 個字"},
            {"6", "沒有第 6 個位置：共 5 個字"},
            {"99999999999", "沒有第 99999999999 個位置：共 5 個字"},
            {"性", "文中沒有「性」"},
            {"𠀋", "文中沒有「𠀋」"},
            {"", "請輸入位置（1–5）或一個字"}};
        for (const auto &[target, note] : nowhere) {
            QVERIFY(!m_window->jumpTo(QString::fromUtf8(target)));
            QCOMPARE(m_window->jumpNote(), QString::fromUtf8(note));
        }
        QCOMPARE(position->text(), QStringLiteral("4 / 5"));
        QVERIFY(m_window->jumpTo(QStringLiteral("1")));
        QVERIFY(m_window->jumpNote().isEmpty());
    }
};

QTEST_MAIN(CharProfileWindowTest)
#include "charprofilewindow_test.moc"
