// Start-up, the notice window, its setting, the splash window and the work text.
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/notice.h"
#include "app/richtextbox.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "app/worktext.h"
#include "apptestsupport.h"
#include "common/version.h"
#include "ui/settings.h"

using namespace yuedu::app;

namespace {

const QString kSection = QStringLiteral("Options");
const QString kKey = QStringLiteral("啟動時顯示秘訣");

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void dialogsSpeakChineseAndWindowsFontNamesShowInAMingFace() {
        QVERIFY(installQtTranslations());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));

        // Saved documents name 新細明體, which is not installed here; without a substitution the
        // text would show in a sans face.
        yuedu::app::RichTextBox::installFontSubstitutions();
        for (const QString &name : {QStringLiteral("新細明體"), QStringLiteral("PMingLiU"),
                                    QStringLiteral("細明體"), QStringLiteral("標楷體")})
            QVERIFY2(QFontInfo(QFont(name)).family().startsWith(QStringLiteral("AR PL U")),
                     qPrintable(name + QStringLiteral(" -> ") + QFontInfo(QFont(name)).family()));
        QVERIFY(QFontInfo(QFont(QStringLiteral("新細明體")))
                    .family()
                    .startsWith(QStringLiteral("AR PL UMing")));
    }
    void cleanup() { closeOpenNotice(); }

    void startupShowsTheNoticeUnlessTheSettingIsZero_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("shown");
        QTest::newRow("absent") << QString() << true;
        QTest::newRow("one") << QStringLiteral("1") << true;
        QTest::newRow("zero") << QStringLiteral("0") << false;
    }
    void startupShowsTheNoticeUnlessTheSettingIsZero() {
        QFETCH(QString, setting);
        QFETCH(bool, shown);
        if (setting.isNull())
            yuedu::ui::DeleteSetting(kSection, kKey);
        else
            yuedu::ui::SaveSetting(kSection, kKey, setting);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTemporaryDir empty;
        AppContext context;
        StartupOptions options;
        options.showSplash = false;
        options.dataDir = empty.path();
        // The data files are missing: a warning comes first, answered here.
        QString boxTitle;
        QTimer::singleShot(0, [&boxTitle] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxTitle = box->windowTitle();
                box->accept();
            }
        });
        auto main = startUp(context, options);
        QVERIFY(!context.report.ok());
        QCOMPARE(boxTitle, kProgramTitle);
        QVERIFY(main->isVisible());
        // What the user copied before starting the program is still there to paste.
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        NoticeWindow *n = openNotice();
        QCOMPARE(n != nullptr, shown);
        if (!n)
            return;
        QCOMPARE(n->Labeltip()->text(), QStringLiteral("  執行分析的第一件事"));
        QVERIFY(n->lblTipText()->text().startsWith(QStringLiteral("   1. 請注意！")));
        QCOMPARE(n->lblTipText()->text().count(QStringLiteral("\r\n")), 2);
        QVERIFY(n->chkLoadTipsAtStartup()->isChecked());
        QVERIFY(!n->cmdNextTip()->isVisible());
    }

    void checkboxWritesTheSettingAtOnce() {
        yuedu::ui::SaveSetting(kSection, kKey, QStringLiteral("1"));
        QWidget parent;
        Notice notice(&parent);
        notice.showModeless();
        auto *box = notice.window()->chkLoadTipsAtStartup();
        box->click();
        QCOMPARE(yuedu::ui::GetSetting(kSection, kKey, QString()), QStringLiteral("0"));
        box->click();
        QCOMPARE(yuedu::ui::GetSetting(kSection, kKey, QString()), QStringLiteral("1"));
    }

    void cancelButtonAnswersNoAndOkYes_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("ok") << QStringLiteral("cmdOK") << false;
        QTest::newRow("cancel") << QStringLiteral("cmdNextTip") << true;
    }
    void cancelButtonAnswersNoAndOkYes() {
        QFETCH(QString, button);
        QFETCH(bool, cancelled);
        QWidget parent;
        Notice notice(&parent);
        notice.setHeading(QStringLiteral("h"));
        notice.setBody({QStringLiteral("a"), QStringLiteral("b")});
        notice.showCancelButton();
        QCOMPARE(notice.window()->cmdNextTip()->text(), QStringLiteral(" 取 消 "));
        answerNoticeWith(button.toLatin1().constData());
        QCOMPARE(notice.showModal(), !cancelled);
        QCOMPARE(notice.window(), nullptr);

        // A new load starts from the design state.
        notice.showModeless();
        QCOMPARE(notice.window()->Labeltip()->text(), QStringLiteral("您知道嗎..."));
        QCOMPARE(notice.window()->cmdNextTip()->text(), QStringLiteral("下一個秘訣(&N)"));
        QVERIFY(notice.window()->cmdNextTip()->isHidden());
        QCOMPARE(notice.window()->cmdOK()->text(), QStringLiteral("確  定 "));
    }

    void splashClosesOnEnterAndCtrlTOnly() {
        struct Case {
            int key;
            Qt::KeyboardModifiers modifiers;
            bool closes;
        } cases[] = {{Qt::Key_A, Qt::NoModifier, false},
                     {Qt::Key_Escape, Qt::NoModifier, false},
                     {Qt::Key_T, Qt::NoModifier, false},
                     {Qt::Key_Return, Qt::NoModifier, true},
                     {Qt::Key_T, Qt::ControlModifier, true}};
        for (const auto &c : cases) {
            SplashWindow splash;
            splash.show();
            QTest::keyClick(&splash, Qt::Key(c.key), c.modifiers);
            QCOMPARE(splash.isVisible(), !c.closes);
        }
        SplashWindow splash;
        splash.show();
        QTest::mouseClick(splash.findChild<QLabel *>(QStringLiteral("lblVersion")), Qt::LeftButton);
        QVERIFY(splash.isVisible());
        QTest::mouseClick(splash.findChild<QLabel *>(QStringLiteral("imgLogo")), Qt::LeftButton);
        QVERIFY(!splash.isVisible());
        QApplication::restoreOverrideCursor();
        QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("版本 ") + QString::fromLatin1(yuedu::kVersion));
    }

    void workTextIsTheSelectionOrTheWholeTextAndLeavesTheClipboard() {
        AppFixture app;
        app.trigger("MDImnunew");
        auto *box = app.box();
        box->setSelText(QStringLiteral("天地玄黃"));
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));

        box->setSelection(1, 2);
        QCOMPARE(workText(box), QStringLiteral("地玄"));
        QCOMPARE(box->SelStart(), 1);
        QCOMPARE(box->SelLength(), 2);

        box->setSelection(3, 0);
        QCOMPARE(workText(box), QStringLiteral("天地玄黃"));
        QCOMPARE(box->SelStart(), 0);
        QCOMPARE(box->SelLength(), 4);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("x"));

        // Paragraphs reach the analyses with the line ends of a text file.
        box->setSelection(4, 0);
        box->setSelText(QStringLiteral("\r\n人"));
        box->setSelection(0, 0);
        QCOMPARE(workText(box), QStringLiteral("天地玄黃\r\n人"));

        box->clear();
        QCOMPARE(workText(box), QString());
    }

    void aWindowNobodyPlacedOpensOverTheMainWindow() {
        AppFixture app;
        app.main->setGeometry(300, 200, 600, 400);
        QWidget chart(app.main.get(), Qt::Window);
        chart.resize(200, 100);
        chart.show();
        QCOMPARE(chart.geometry().center(), app.main->geometry().center());
    }

    void aboutAndContentOpenOnceWithTheirTexts() {
        AppFixture app;
        app.trigger("MDImnuabout");
        app.trigger("MDImnuabout");
        QList<QWidget *> abouts;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frmAbout") && w->isVisible())
                abouts << w;
        QCOMPARE(abouts.size(), 1);
        QCOMPARE(abouts[0]->windowTitle(), QStringLiteral("關於 ") + kProgramTitle);
        QCOMPARE(abouts[0]->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->text(),
                 QStringLiteral("系統資訊(&S)..."));
        abouts[0]->findChild<QPushButton *>(QStringLiteral("cmdaboutOK"))->click();
        QVERIFY(!abouts[0]->isVisible());

        app.trigger("mnuContent");
        QWidget *content = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("Frmcontent") && w->isVisible())
                content = w;
        QVERIFY(content);
        QCOMPARE(content->windowTitle(), QStringLiteral("內容說明"));
        // No invented addresses: the maintainer the build names.
        const QString text = content->findChild<QLabel *>(QStringLiteral("Lblcontent"))->text();
        QVERIFY(text.contains(QString::fromUtf8(yuedu::kMaintainer)));
        QVERIFY(!text.contains(QStringLiteral("0000")));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
