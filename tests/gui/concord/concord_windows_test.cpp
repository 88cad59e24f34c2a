// The windows of words in context, driven through their widgets: the concordance window shows
// the core's lines, sorts line numbers as numbers, exports every line after its source and
// settings, and tells which text and place a double-clicked line stands for; the keyword window
// reads a frequency table as its reference.
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "csvread.h"

#include "concord/concordwindows.h"
#include "segment/phrasedivider.h"

using namespace yuedu;
using namespace yuedu::concord;

namespace {

CorpusChoice segmented(const std::vector<std::u16string> &texts) {
    std::vector<CorpusSource> sources;
    for (std::size_t i = 0; i < texts.size(); ++i)
        sources.push_back({"dir/t" + std::to_string(i) + ".txt", texts[i]});
    CorpusBuild build = buildCorpus(sources, {}, []() -> const seg::PhraseDivider & {
        throw std::logic_error("no segmenting here");
    });
    CorpusChoice choice;
    choice.corpus = std::make_shared<const WordCorpus>(std::move(build.corpus));
    choice.source.name = QStringLiteral("樣本");
    choice.source.time = QDateTime(QDate(2026, 1, 2), QTime(3, 4));
    return choice;
}

} // namespace

class ConcordWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void concordanceShowsSortsExportsAndActivates() {
        // 因為 on lines 1, 2 and 10 of the second text, once in the first.
        std::u16string second;
        for (int line = 1; line <= 10; ++line)
            second += (line == 1 || line == 2 || line == 10 ? u"因為  " : u"所以  ") +
                      std::u16string(u"下雨  \r\n");
        ConcordanceWindow window({});
        window.corpusBar()->setCorpus(segmented({u"我  因為  累  \r\n", second}));
        window.lookUp(QStringLiteral("因為"));
        const auto result = window.result();
        QVERIFY(result);
        QCOMPARE(result->lines.size(), std::size_t(4));
        ui::TextSortList *list = window.list();
        QCOMPARE(list->topLevelItemCount(), 4);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("t0.txt"));
        QCOMPARE(list->topLevelItem(3)->text(1), QStringLiteral("10"));
        QCOMPARE(list->topLevelItem(3)->text(3), QStringLiteral("因為"));
        // Line numbers sort as numbers: 10 above 2 descending.
        list->sortByColumnClick(1);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("10"));
        QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("2"));

        // A double-clicked line names its text and where the word stands there.
        QSignalSpy spy(&window, &ConcordanceWindow::lineActivated);
        QTreeWidgetItem *top = list->topLevelItem(0);
        emit list->itemDoubleClicked(top, 0);
        QCOMPARE(spy.count(), 1);
        const auto text = spy.at(0).at(0).value<quint32>();
        const auto start = spy.at(0).at(1).value<quint32>();
        QCOMPARE(text, 1u);
        const CorpusText &t = window.corpusBar()->choice().corpus->texts[text];
        QCOMPARE(t.lineOf(start), 10);
        QVERIFY(t.text.substr(start, 2) == u"因為");

        // The export: source and settings first, then every line with its full path.
        const std::string csv = window.exportBytes();
        QVERIFY(csv.find("樣本") != std::string::npos);
        QVERIFY(csv.find("共 4 行") != std::string::npos);
        // Below the heading block: the column names and the four lines.
        const auto table = yuedu::testsupport::parseCsv(QByteArray::fromStdString(csv)).table();
        QCOMPARE(table.size(), 1 + 4);
        QVERIFY(csv.find("dir/t1.txt,10,") != std::string::npos);

        window.queryEdit()->setText(QStringLiteral("不在"));
        window.run();
        QCOMPARE(list->topLevelItemCount(), 0);
    }

    void keywordsReadAFrequencyTableAsReference() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ref.tsv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("甲\t50\t50.00\t1\n乙\t50\t50.00\t2\n");
        file.close();
        KeywordWindow window({}, {});
        window.corpusBar()->setCorpus(segmented({u"甲  甲  甲  甲  甲  甲  甲  甲  甲  乙  \r\n"}));
        QString error;
        QVERIFY(window.loadReferenceTable(path, &error));
        ui::TextSortList *list = window.list();
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("甲"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("9"));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("50"));
        QVERIFY(list->topLevelItem(0)->text(3).toDouble() > 0);
        QVERIFY(list->topLevelItem(1)->text(3).toDouble() < 0);
        QVERIFY(!window.loadReferenceTable(dir.filePath(QStringLiteral("none.tsv")), &error));
        QVERIFY(error.contains(QStringLiteral("none.tsv")));
    }
};

QTEST_MAIN(ConcordWindowsTest)
#include "concord_windows_test.moc"
