// The genre dialog, the profile window and the attribute tree window, driven through their
// controls.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "../../core/article/articletestdata.h"
#include "article/attributetreewindow.h"
#include "article/genredialog.h"
#include "article/profilewindow.h"

using namespace yuedu;
using namespace yuedu::article;
using testdata::charRec;
using testdata::detailRec;

class ArticleWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<LanguageData> m_data;

    template <typename T> static T *child(QWidget &w, const char *name) {
        T *c = w.findChild<T *>(QString::fromLatin1(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }

private slots:
    void initTestCase() {
        m_data = testdata::makeData({
            {u'家', charRec(39, 10, 12, 1, 1, 0), detailRec(1, 100)},
            {u'鴨', charRec(195, 16, 0, 1, 1, 0), detailRec(6, 200)},
            {u'天', charRec(36, 4, 5, 1, 11, 0), detailRec(2, 300)},
        });
    }

    void genreDialogClosesOnlyWithOneChoiceInEachFrame() {
        ArticleGenreDialog dialog;
        dialog.open();
        QVERIFY(dialog.isVisible());
        auto *ok = child<QPushButton>(dialog, "cmdstyok");
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        child<QRadioButton>(dialog, "styOption1")->click();
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.genre());
        child<QRadioButton>(dialog, "styOption2")->click(); // the frame stays exclusive
        QVERIFY(!child<QRadioButton>(dialog, "styOption1")->isChecked());
        child<QRadioButton>(dialog, "styOption3")->click();
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const auto genre = dialog.genre();
        QVERIFY(genre);
        QVERIFY(!genre->poetry);
        QVERIFY(genre->dialogue);

        dialog.clearOptions();
        for (const char *name : {"styOption1", "styOption2", "styOption3", "styOption4"})
            QVERIFY(!child<QRadioButton>(dialog, name)->isChecked());
        QVERIFY(!dialog.genre());
    }

    void profileWindowShowsFiguresAndRefreshes() {
        ArticleProfile profile(*m_data);
        QCOMPARE(profile.artprofile(u"家天。鴨家", ArticleGenre{}), ProfileOutcome::Done);
        ArticleProfileWindow window(profile);
        QCOMPARE(window.objectName(), QStringLiteral("frmarticle"));
        QCOMPARE(window.field("wdartlen")->text(), QStringLiteral("全文長﹦ 4"));
        QCOMPARE(window.field("wordlen")->text(), QStringLiteral("字別數﹦ 3"));
        QCOMPARE(window.field("wddesi")->text(), QStringLiteral("字密度﹦ .75"));
        QCOMPARE(window.field("multip")->text(), QStringLiteral("小句數﹦ 1"));
        QCOMPARE(window.field("generg6")->text(), QStringLiteral("通用六級字數﹦ 1"));
        QCOMPARE(window.findChildren<QLineEdit *>().size(), 21);

        QCOMPARE(profile.artprofile(u"天", ArticleGenre{}), ProfileOutcome::Done);
        window.zancf_Change();
        QCOMPARE(window.field("wdartlen")->text(), QStringLiteral("全文長﹦ 1"));
        QCOMPARE(window.field("zancf")->text(), QStringLiteral("葦氏認知係數﹦ 3"));
    }

    void profileWindowStandsInTwoColumnsAndLeaves() {
        ArticleProfile profile(*m_data);
        ArticleProfileWindow window(profile);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto x = [&](const char *name) { return window.field(name)->mapTo(&window, QPoint()).x(); };
        auto y = [&](const char *name) { return window.field(name)->mapTo(&window, QPoint()).y(); };
        QVERIFY(x("wordlen") > x("wdartlen"));
        QCOMPARE(x("paran"), x("wdartlen"));
        QCOMPARE(x("singp"), x("wordlen"));
        QVERIFY(x("generg1") > x("xbparan") + window.field("xbparan")->width() - 1);
        const char *left[] = {"wdartlen", "wordlen", "wddesi", "paran", "singp", "multip",
                              "xbparan",  "busho",   "biha",   "lorcf", "zancf"};
        for (int i = 1; i < 11; ++i)
            QVERIFY(y(left[i]) > y(left[i - 1]));
        for (int level = 2; level <= 10; ++level)
            QVERIFY(y(QStringLiteral("generg%1").arg(level).toLatin1()) >
                    y(QStringLiteral("generg%1").arg(level - 1).toLatin1()));
        auto *exit = child<QPushButton>(window, "Cmdartexit");
        QCOMPARE(exit->text(), QStringLiteral("離  開"));
        QVERIFY(exit->mapTo(&window, QPoint()).x() >= x("generg1"));
        QTest::mouseClick(exit, Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }

    void treeNodeClickShowsCaptionAndCharacters() {
        ArticleAttributes attributes(*m_data);
        QVERIFY(attributes.artattri(u"家鴨天家"));
        AttributeTreeWindow window(attributes);
        auto *tree = child<QTreeWidget>(window, "wordTreeView");
        auto *text = child<QPlainTextEdit>(window, "wordtreetext");
        QCOMPARE(text->toPlainText(), QStringLiteral("查詢結果\n"));
        QCOMPARE(tree->topLevelItemCount(), 7);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("部首"));
        QCOMPARE(tree->topLevelItem(6)->text(0), QStringLiteral("通用級數"));

        QTreeWidgetItem *medials = tree->topLevelItem(3);
        QCOMPARE(medials->text(0), QStringLiteral("介符"));
        QCOMPARE(medials->childCount(), 1);
        window.show();
        tree->expandAll();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect leafRect = tree->visualItemRect(medials->child(0));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, leafRect.center());
        QCOMPARE(text->toPlainText(), QStringLiteral("【 ㄧ 】\n鴨"));

        const QRect branchRect = tree->visualItemRect(tree->topLevelItem(0));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, branchRect.center());
        QCOMPARE(text->toPlainText(), QStringLiteral("【 部首 】\n"));

        QTreeWidgetItem *initials = tree->topLevelItem(2);
        QCOMPARE(initials->childCount(), 2);
        window.showNode(initials->child(1));
        QCOMPARE(text->toPlainText(), QStringLiteral("【 ㄐ 】\n家"));
    }

    void treeIsRebuiltFromTheLatestResults() {
        ArticleAttributes attributes(*m_data);
        QVERIFY(attributes.artattri(u"家鴨天"));
        AttributeTreeWindow window(attributes);
        auto *tree = child<QTreeWidget>(window, "wordTreeView");
        QCOMPARE(tree->topLevelItem(0)->childCount(), 3);
        window.showNode(tree->topLevelItem(0)->child(0));
        QVERIFY(attributes.artattri(u"天"));
        window.buildTree();
        QCOMPARE(child<QPlainTextEdit>(window, "wordtreetext")->toPlainText(),
                 QStringLiteral("查詢結果\n"));
        QCOMPARE(tree->topLevelItemCount(), 7);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 1);
        QCOMPARE(tree->topLevelItem(3)->childCount(), 0);
        window.showNode(tree->topLevelItem(6)->child(0));
        QCOMPARE(child<QPlainTextEdit>(window, "wordtreetext")->toPlainText(),
                 QStringLiteral("【 第二級 】\n天"));
    }

    void treeExportsAsIndentedText() {
        ArticleAttributes attributes(*m_data);
        QVERIFY(attributes.artattri(u"天"));
        AttributeTreeWindow window(attributes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("樹.txt"));
        QVERIFY(window.exportTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString expected = QStringLiteral("部首\n  大\t天\n筆畫\n  四畫\t天\n聲符\n  ㄉ\t天\n"
                                                "介符\n韻母\n  ㄤ\t天\n聲調\n  ˉ\t天\n通用級數\n"
                                                "  第二級\t天\n");
        QCOMPARE(QString::fromUtf8(file.readAll()), expected);
        QString error;
        QVERIFY(!window.exportTo(dir.filePath(QStringLiteral("no/such/folder/x.txt")), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(ArticleWindowsTest)
#include "articlewindows_test.moc"
