// The genre dialog, the profile window and the attribute tree window, driven through their
// controls.
#include <QLabel>
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
#include "csvread.h"

using namespace yuedu;
using namespace yuedu::article;
using testdata::charRec;
using testdata::detailRec;

class ArticleWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<LanguageData> m_data;

    std::shared_ptr<const ProfileResult> profile(std::u16string_view text) const {
        return std::make_shared<ProfileResult>(artprofile(*m_data, text, ArticleGenre{}));
    }
    std::shared_ptr<const AttributeResult> attributes(std::u16string_view text) const {
        return std::make_shared<AttributeResult>(artattri(*m_data, text));
    }
    static ui::ResultSource named(const QString &name) { return {name, false, {}, {}, {}, {}}; }

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
        ArticleProfileWindow window;
        window.setResult(profile(u"家天。鴨家"), named("a.txt"));
        QCOMPARE(window.objectName(), QStringLiteral("frmarticle"));
        QCOMPARE(window.field("wdartlen")->text(), QStringLiteral("全文長﹦ 4"));
        QCOMPARE(window.field("wordlen")->text(), QStringLiteral("字別數﹦ 3"));
        QCOMPARE(window.field("wddesi")->text(), QStringLiteral("字密度﹦ .75"));
        QCOMPARE(window.field("multip")->text(), QStringLiteral("小句數﹦ 1"));
        QCOMPARE(window.field("generg6")->text(), QStringLiteral("通用六級字數﹦ 1"));
        QCOMPARE(window.findChildren<QLineEdit *>().size(), 21);

        window.setResult(profile(u"天"), named("b.txt"));
        QCOMPARE(window.field("wdartlen")->text(), QStringLiteral("全文長﹦ 1"));
        QCOMPARE(window.field("zancf")->text(), QStringLiteral("葦氏認知係數﹦ 3"));
        QVERIFY(child<QLabel>(window, "lblSource")->text().contains(QStringLiteral("b.txt")));
        // One hanzi is far from the lesson lengths the grade formula was fitted on.
        QVERIFY(window.field("lorcf")->text().endsWith(QStringLiteral("＊")));
        QVERIFY(!window.field("lorcf")->toolTip().isEmpty());

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("profile.csv"));
        QVERIFY(window.exportTo(path));
        const testsupport::CsvFile read = testsupport::readCsv(path);
        QVERIFY(read.bom);
        QCOMPARE(read.heading(QStringLiteral("來源")), QStringLiteral("b.txt"));
        // The genre the profile was made for is part of it.
        QCOMPARE(read.heading(QStringLiteral("總計")),
                 QStringLiteral("全文長 1　字別數 1　體裁：非詩歌類、非對話類"));
        QCOMPARE(read.table().value(0), (QStringList{"欄位", "項目", "數值", "附註"}));
        QCOMPARE(read.table().value(1), (QStringList{"zancf", "葦氏認知係數", "3", ""}));
        QVERIFY(child<QLabel>(window, "lblSource")->text().contains(QStringLiteral("非詩歌類")));
    }

    void profileWindowStandsInTwoColumnsAndLeaves() {
        ArticleProfileWindow window;
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
        AttributeTreeWindow window;
        window.setResult(attributes(u"家鴨天家"), named("a.txt"));
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
        AttributeTreeWindow window;
        window.setResult(attributes(u"家鴨天"), named("a.txt"));
        auto *tree = child<QTreeWidget>(window, "wordTreeView");
        QCOMPARE(tree->topLevelItem(0)->childCount(), 3);
        window.showNode(tree->topLevelItem(0)->child(0));
        window.setResult(attributes(u"天"), named("b.txt"));
        QCOMPARE(child<QPlainTextEdit>(window, "wordtreetext")->toPlainText(),
                 QStringLiteral("查詢結果\n"));
        QCOMPARE(tree->topLevelItemCount(), 7);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 1);
        QCOMPARE(tree->topLevelItem(3)->childCount(), 0);
        window.showNode(tree->topLevelItem(6)->child(0));
        QCOMPARE(child<QPlainTextEdit>(window, "wordtreetext")->toPlainText(),
                 QStringLiteral("【 第二級 】\n天"));
    }

    void treeExportsAsCsvWithCountsPerClass() {
        AttributeTreeWindow window;
        window.setResult(attributes(u"天天"), named("a.txt"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("樹.csv"));
        QVERIFY(window.exportTo(path));
        const testsupport::CsvFile read = testsupport::readCsv(path);
        QVERIFY(read.bom);
        QCOMPARE(read.heading(QStringLiteral("來源")), QStringLiteral("a.txt"));
        QCOMPARE(read.heading(QStringLiteral("總計")), QStringLiteral("字數 2　相異字數 1"));
        const QList<QStringList> table = read.table();
        QCOMPARE(table.value(0), (QStringList{"屬性", "類別", "字數", "字"}));
        QVERIFY(table.contains(QStringList{"部首", "大", "1", "天"}));
        QVERIFY(table.contains(QStringList{"聲調", "ˉ", "1", "天"}));
        // The indented tree stays to be had as text.
        const QString tree = QString::fromUtf8(window.treeTextBytes());
        QVERIFY(tree.startsWith(QStringLiteral("來源：a.txt\n")));
        QVERIFY(
            tree.endsWith(QStringLiteral("\n\n部首\n  大\t天\n筆畫\n  四畫\t天\n聲符\n  ㄉ\t天\n"
                                         "介符\n韻母\n  ㄤ\t天\n聲調\n  ˉ\t天\n通用級數\n"
                                         "  第二級\t天\n")));
        QString error;
        QVERIFY(!window.exportTo(dir.filePath(QStringLiteral("no/such/folder/x.txt")), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(ArticleWindowsTest)
#include "articlewindows_test.moc"
