// The word statistics windows, driven through their real widgets.
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "common/version.h"
#include "csvread.h"
#include "databuild/gradefile.h"
#include "databuild/sensefile.h"
#include "wordstats/frequencywindow.h"
#include "wordstats/gradewindow.h"
#include "wordstats/sensetreewindow.h"

using namespace yuedu;
using namespace yuedu::wordstats;
using ui::ResultTree;
using ui::TextSortList;

namespace {

std::u16string repeat(const std::u16string &word, int times) {
    std::u16string out;
    for (int i = 0; i < times; ++i)
        out += word + u"  ";
    return out;
}

QStringList column(const QTreeWidget *list, int c) {
    QStringList out;
    for (int r = 0; r < list->topLevelItemCount(); ++r)
        out << list->topLevelItem(r)->text(c);
    return out;
}

void clickHeader(QTreeWidget *list, int section) {
    QHeaderView *header = list->header();
    QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
              header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void clickNode(QTreeWidget *tree, QTreeWidgetItem *item) {
    QVERIFY(item);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

LanguageData gradeData() {
    databuild::GradeSources sources;
    sources.lists[0] = {{u"山", 23}, {u"火", 75}};
    sources.lists[1] = {{u"天地", 12}};
    sources.rankList = u"的一是";
    LanguageData d;
    d.loadImages(databuild::buildGradeFile(sources), "", "");
    return d;
}

LanguageData senseData() {
    databuild::SenseSources sources;
    sources.words = {{u"我", 1}, {u"你", 1}, {u"社會", 43}, {u"學校", 45}, {u"跑", 56}};
    LanguageData d;
    d.loadImages("", "", databuild::buildSenseFile(sources));
    return d;
}

ui::ResultSource named(const QString &name) {
    return {name, false, {}, {}, {}, {}};
}

} // namespace

class WordStatsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void frequencyListSortsNumbersAsNumbersTogglingFromDescending() {
        // 甲 10 times, 乙 9 times, nine further words once: eleven rows.
        std::u16string text = repeat(u"甲", 10) + repeat(u"乙", 9);
        for (char16_t c : std::u16string(u"子丑寅卯辰巳午未申"))
            text += std::u16string(1, c) + u"  ";
        text += u"\r\n";
        FrequencyWindow window;
        window.setResult(std::make_shared<FrequencyResult>(WordFrequency(text)), named("a.txt"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("詞彙出現次數及頻率統計"));
        auto *list = window.findChild<TextSortList *>(QStringLiteral("phListView"));
        QVERIFY(list);
        QCOMPARE(list->headerItem()->text(2), QStringLiteral("頻率%"));
        QCOMPARE(list->topLevelItemCount(), 11);
        QCOMPARE(column(list, 3).first(), QStringLiteral("1"));

        clickHeader(list, 1); // 次數, descending: the most frequent first
        QCOMPARE(column(list, 1).mid(0, 3),
                 (QStringList{QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("1")}));
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("甲"));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("35.71"));

        clickHeader(list, 3); // 文序, now ascending: 1, 2, 3 ... 11
        QCOMPARE(column(list, 3).mid(0, 3),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(column(list, 3).last(), QStringLiteral("11"));
        clickHeader(list, 3); // the same column again turns it round
        QCOMPARE(column(list, 3).first(), QStringLiteral("11"));
        QCOMPARE(list->SortOrderState(), 1);
        clickHeader(list, 2); // 頻率% ascending: by the number, not by "0.00"-style text
        QCOMPARE(column(list, 2).last(), QStringLiteral("35.71"));
    }

    void frequencyListExportsSourceTotalsAndRowsAsShownToCsv() {
        FrequencyWindow window;
        window.setResult(std::make_shared<FrequencyResult>(WordFrequency(u"天  地  天  a,b  \r\n")),
                         named("story.txt"));
        auto *list = window.findChild<TextSortList *>(QStringLiteral("phListView"));
        list->sortByColumnClick(1);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("freq.csv"));
        QVERIFY(window.exportTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray csv = file.readAll();
        QVERIFY(csv.startsWith("\xEF\xBB\xBF")); // spreadsheets take it as UTF-8
        QString error;
        QVERIFY(!window.exportTo(dir.filePath(QStringLiteral("no/such/folder/freq.csv")), &error));
        QVERIFY(!error.isEmpty());
        // The heading says where, when, with which program and data; then the list as shown,
        // percentages at full precision.
        const testsupport::CsvFile read = testsupport::parseCsv(csv);
        QVERIFY(read.bom);
        QCOMPARE(read.heading(QStringLiteral("來源")), QStringLiteral("story.txt"));
        QCOMPARE(read.heading(QStringLiteral("程式版本")), QString::fromLatin1(kVersion));
        QCOMPARE(read.heading(QStringLiteral("總計")), QStringLiteral("總詞數 4　相異詞數 3"));
        const QList<QStringList> expected = {{"詞彙", "次數", "頻率%", "文序"},
                                             {"天", "2", "50", "3"},
                                             {"a,b", "1", "25", "1"},
                                             {"地", "1", "25", "2"}};
        QCOMPARE(read.table(), expected);
    }

    void frequencyWindowWithoutWordsSaysSoAndHasNoRows() {
        FrequencyWindow window;
        // Only line ends: no word, not even a hand-segmented one.
        window.setResult(std::make_shared<FrequencyResult>(WordFrequency(u"\r\n\r\n")),
                         named("a.txt"));
        QCOMPARE(window.wordList()->topLevelItemCount(), 0);
        auto *summary = window.findChild<QLabel *>(QStringLiteral("lblSummary"));
        QVERIFY(summary && summary->text().contains(QStringLiteral("兩個空白")));
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("cmdExport"))->isEnabled());
    }

    void gradeWindowListsGradesAndShowsTheClickedGroup() {
        const LanguageData data = gradeData();
        GradeWindow window;
        window.setResult(
            std::make_shared<GradeResult>(VocabularyGrades(data, u"山  天地  山  火  \r\n")),
            named("a.txt"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("詞彙級數統計及分布情形"));

        auto *list = window.findChild<TextSortList *>(QStringLiteral("gdphListView"));
        QVERIFY(list);
        QCOMPARE(column(list, 0),
                 (QStringList{QStringLiteral("天地"), QStringLiteral("山"), QStringLiteral("火")}));
        QCOMPARE(column(list, 1), (QStringList{QStringLiteral("1.2"), QStringLiteral("2.3"),
                                               QStringLiteral("7.5")}));
        QCOMPARE(column(list, 2),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1")}));

        auto *tree = window.findChild<ResultTree *>(QStringLiteral("gdphTreeView"));
        auto *box = window.findChild<QPlainTextEdit *>(QStringLiteral("gdphtreeText"));
        QVERIFY(tree && box);
        QCOMPARE(box->toPlainText(), QStringLiteral("查詢結果\n"));
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("年級查詢"));
        QCOMPARE(root->childCount(), 7);
        QCOMPARE(root->child(6)->text(0), QStringLiteral("未出現"));
        QVERIFY(root->isExpanded()); // the last node added was made visible
        QCOMPARE(tree->nodeNumber(root->child(1)), 3);

        clickNode(tree, root->child(1));
        QCOMPARE(box->toPlainText(), QStringLiteral("【 二年級 】\n山\n"));
        clickNode(tree, root);
        QCOMPARE(box->toPlainText(), QStringLiteral("【 年級查詢 】\n"));
        clickNode(tree, root->child(6));
        QCOMPARE(box->toPlainText(), QStringLiteral("【 未出現 】\n火\n"));
        QCOMPARE(window.nodeWords(2), QStringLiteral("天地\r\n"));

        clickHeader(list, 1); // 年級數 descending
        QCOMPARE(column(list, 0).first(), QStringLiteral("火"));

        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("grades.txt"));
        QVERIFY(window.exportTreeTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString treeText = QString::fromUtf8(file.readAll());
        QVERIFY(treeText.startsWith(QStringLiteral("來源：a.txt\n")));
        QVERIFY(treeText.contains(QStringLiteral("\n總計：總詞數 4　相異詞數 3\n\n")));
        QVERIFY(
            treeText.endsWith(QStringLiteral("\n\n年級查詢\n  一年級\n    "
                                             "天地\n  二年級\n    山\n  三年級\n"
                                             "  四年級\n  五年級\n  六年級\n  未出現\n    火\n")));

        // The list exports with the grades as people write them.
        const QString listPath = dir.filePath(QStringLiteral("grades.csv"));
        QVERIFY(window.exportTo(listPath));
        const testsupport::CsvFile list2 = testsupport::readCsv(listPath);
        QCOMPARE(list2.heading(QStringLiteral("來源")), QStringLiteral("a.txt"));
        QVERIFY(list2.table().size() > 1);
        QCOMPARE(list2.table().first(), (QStringList{"詞彙", "年級數", "次數", "文序"}));
    }

    void senseTreeShowsCategoriesAndOnlyClassesWithWords() {
        const LanguageData data = senseData();
        SenseTreeWindow window;
        window.setResult(
            std::make_shared<SenseResult>(SenseClasses(data, u"我  你  學校  我  社會  \r\n")),
            named("a.txt"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("詞義屬性類別分布情形"));
        auto *tree = window.findChild<ResultTree *>(QStringLiteral("phsynTreeView"));
        auto *box = window.findChild<QPlainTextEdit *>(QStringLiteral("phsynText"));
        QVERIFY(tree && box);
        QVERIFY(box->toPlainText().isEmpty());
        QCOMPARE(tree->topLevelItemCount(), 12);

        QTreeWidgetItem *people = tree->topLevelItem(1);
        QCOMPARE(people->text(0), QStringLiteral("人群"));
        QCOMPARE(people->childCount(), 1);
        QCOMPARE(people->child(0)->text(0), QStringLiteral("人稱"));
        QCOMPARE(tree->nodeNumber(people->child(0)), 13);

        QTreeWidgetItem *structure = tree->topLevelItem(3);
        QCOMPARE(structure->childCount(), 2);
        QCOMPARE(structure->child(0)->text(0), QStringLiteral("社會"));
        QCOMPARE(structure->child(1)->text(0), QStringLiteral("文教"));
        QCOMPARE(tree->topLevelItem(6)->childCount(), 0); // 動作: 跑 is not in the text

        clickNode(tree, people->child(0));
        QCOMPARE(box->toPlainText(), QStringLiteral("【 人稱 】\n你\n我\n"));
        clickNode(tree, structure);
        QCOMPARE(box->toPlainText(), QStringLiteral("【 組構 】\n社會\n學校\n"));
        clickNode(tree, tree->topLevelItem(0));
        QCOMPARE(box->toPlainText(), QStringLiteral("【 總類 】\n"));
        QCOMPARE(window.nodeWords(2), QStringLiteral("你\r\n我\r\n"));
    }

    void senseTreeExportsEveryClassWithItsPathAndDistinctWordCount() {
        const LanguageData data = senseData();
        SenseTreeWindow window;
        window.setResult(
            std::make_shared<SenseResult>(SenseClasses(data, u"我  你  學校  我  社會  \r\n")),
            named("a.txt"));
        const testsupport::CsvFile read =
            testsupport::parseCsv(QByteArray::fromStdString(window.exportBytes()));
        QVERIFY(read.bom);
        QCOMPARE(read.heading(QStringLiteral("來源")), QStringLiteral("a.txt"));
        const QList<QStringList> table = read.table();
        QCOMPARE(table.value(0), (QStringList{"類別", "層次", "詞數", "詞彙"}));
        // A branch holds the distinct words of its classes, counted once; 我 twice is one word.
        QVERIFY(table.contains(QStringList{"人群", "1", "2", "你、我"}));
        QVERIFY(table.contains(QStringList{"人群／人稱", "2", "2", "你、我"}));
        QVERIFY(table.contains(QStringList{"組構", "1", "2", "社會、學校"}));
        QVERIFY(table.contains(QStringList{"組構／文教", "2", "1", "學校"}));
        QVERIFY(table.contains(QStringList{"動作", "1", "0", ""}));
        QCOMPARE(table.size(), 1 + 12 + 3); // the twelve categories and the three classes
    }

    void senseTreeWithoutClassifiedWordsHasTheTwelveCategoriesAlone() {
        const LanguageData data = senseData();
        SenseTreeWindow window;
        window.setResult(std::make_shared<SenseResult>(SenseClasses(data, u"山  水  \r\n")),
                         named("a.txt"));
        auto *tree = window.senseTree();
        QCOMPARE(tree->topLevelItemCount(), 12);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(tree->topLevelItem(i)->childCount(), 0);
        QCOMPARE(tree->topLevelItem(11)->text(0), QStringLiteral("功能詞"));
    }
};

QTEST_MAIN(WordStatsWindowsTest)
#include "wordstats_windows_test.moc"
