// The character profile window: paging, the demonstration and the farewell.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "../../core/article/articletestdata.h"
#include "charprofile/charprofilewindow.h"

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
                        {QStringLiteral("a.txt"), true, {}});
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

    void demonstrationEndsOnItsLastCharacter() {
        start(QStringLiteral("天地"));
        click("Cmdwddemo");
        QCOMPARE(shown(), QStringLiteral("性"));
        QCOMPARE(fieldText("zangener"), QStringLiteral("8"));
        QCOMPARE(fieldText("zanscale"), QStringLiteral("7"));
        QCOMPARE(m_window->position(), CharProfileWindow::kDemoText.size() + 1);
        click("wdnextpg"); // beyond the end: nothing new
        QCOMPARE(shown(), QStringLiteral("性"));
        click("wduppg");
        click("wduppg");
        QCOMPARE(shown(), QStringLiteral("性"));
        click("wduppg");
        QCOMPARE(shown(), QStringLiteral("屬"));
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
        for (const char *nowhere : {"0", "6", "性", ""})
            QVERIFY(!m_window->jumpTo(QString::fromUtf8(nowhere)));
        QCOMPARE(position->text(), QStringLiteral("4 / 5"));
    }
};

QTEST_MAIN(CharProfileWindowTest)
#include "charprofilewindow_test.moc"
