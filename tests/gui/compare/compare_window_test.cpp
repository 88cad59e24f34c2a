// The comparison window runs a folder of texts in the background, leaves out a file it cannot
// read and says so, sorts number columns as numbers and exports what it shows.
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QHorizontalStackedBarSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <memory>

#include "compare/comparewindow.h"
#include "csvread.h"
#include "langdata/textcodec.h"
#include "segment/lexicon.h"
#include "ui/charts.h"
#include "wordstats/gradewindow.h"

using namespace yuedu;

class CompareWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        loaddata(YUEDU_TEST_DATA_DIR, m_data);
        m_lexicon = seg::LoadLexicon(YUEDU_TEST_DATA_DIR);
    }

    void runsAFolderSortsNumbersAndExports() {
        QTemporaryDir dir;
        QFile story(QStringLiteral(YUEDU_SAMPLES_DIR "/story.txt"));
        QVERIFY(story.open(QIODevice::ReadOnly));
        const QByteArray text = story.readAll();
        // 1, 3 and 2 copies: their word counts sort differently as text and as numbers.
        for (auto [name, copies] : {std::pair{"a.txt", 1}, {"b.txt", 3}, {"c.txt", 2}}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            for (int i = 0; i < copies; ++i)
                f.write(text);
        }
        QFile broken(dir.filePath(QStringLiteral("d.txt")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray("\0\0\xff\xfe\0", 5));
        broken.close();

        compare::CompareWindow window(m_data, m_lexicon, {});
        window.addPaths({dir.path()});
        QSignalSpy finished(&window, &compare::CompareWindow::finished);
        window.start();
        QVERIFY(window.isRunning());
        QVERIFY(finished.wait(60000));
        QVERIFY(!window.isRunning());
        QCOMPARE(window.rows().size(), std::size_t(3));
        const QString status = window.findChild<QLabel *>(QStringLiteral("lblstatus"))->text();
        QVERIFY2(status.contains(dir.filePath(QStringLiteral("d.txt"))), qPrintable(status));

        QTableView *table = window.table();
        const auto names = compare::columnNames();
        const int tokens =
            static_cast<int>(std::find(names.begin(), names.end(), "tokens") - names.begin());
        auto column = [&] {
            QList<double> values;
            for (int r = 0; r < table->model()->rowCount(); ++r)
                values << table->model()->index(r, tokens).data().toString().toDouble();
            return values;
        };
        table->sortByColumn(tokens, Qt::AscendingOrder);
        const QList<double> up = column();
        QVERIFY2(up[0] < up[1] && up[1] < up[2], qPrintable(QString::number(up[2])));
        QVERIFY(up[2] >= 100 && up[0] < 100); // text order would put the three-digit one first
        table->sortByColumn(tokens, Qt::DescendingOrder);
        QCOMPARE(column().front(), up.back());

        // The charts were drawn from the rows, and save as either picture kind.
        for (auto *panel : window.findChildren<ui::ChartPanel *>())
            QVERIFY(panel->view()->chart() && !panel->view()->chart()->series().isEmpty());
        auto *chart = window.findChild<ui::ChartPanel *>()->view();
        QVERIFY(ui::saveChart(chart, dir.filePath(QStringLiteral("c.svg"))).isEmpty());
        QVERIFY(ui::saveChart(chart, dir.filePath(QStringLiteral("c.png"))).isEmpty());
        QFile svg(dir.filePath(QStringLiteral("c.svg")));
        QVERIFY(svg.open(QIODevice::ReadOnly) && svg.readAll().contains("<svg"));
        QVERIFY(!QImage(dir.filePath(QStringLiteral("c.png"))).isNull());
        QVERIFY(!ui::saveChart(chart, dir.filePath(QStringLiteral("no/such/c.png"))).isEmpty());

        const QString csv = dir.filePath(QStringLiteral("out.csv"));
        QString error;
        QVERIFY2(window.exportCsv(csv, &error), qPrintable(error));
        // The heading names the texts, the one left out and why; then the Chinese captions, the
        // machine names and a row a text.
        const testsupport::CsvFile read = testsupport::readCsv(csv);
        QVERIFY(read.bom);
        QCOMPARE(read.heading(QStringLiteral("來源")), QStringLiteral("4 篇文章"));
        QCOMPARE(read.heading(QStringLiteral("設定")), QStringLiteral("體裁：非詩歌類、非對話類"));
        QCOMPARE(read.heading(QStringLiteral("未列入")), dir.filePath(QStringLiteral("d.txt")));
        QVERIFY(read.heading(QStringLiteral("狀態")).isEmpty()); // a whole run
        const QList<QStringList> rows = read.table();
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0].mid(0, 3), (QStringList{"文章", "體裁", "葦氏認知係數"}));
        QCOMPARE(rows[1].mid(0, 3), (QStringList{"path", "genre", "zancf"}));
        QCOMPARE(rows[2].first(), dir.filePath(QStringLiteral("a.txt")));
        QCOMPARE(rows[2][1], QStringLiteral("other"));
        // A known figure: story.txt has 72 table characters, three copies 216.
        QCOMPARE(rows[2][rows[1].indexOf(QStringLiteral("wdartlen"))], QStringLiteral("72"));
        QCOMPARE(rows[3][rows[1].indexOf(QStringLiteral("wdartlen"))], QStringLiteral("216"));
        QVERIFY(!window.exportCsv(dir.filePath(QStringLiteral("no/such/dir/x.csv")), &error));
        QVERIFY(!error.isEmpty());
    }

    // The reading notes, English on the command line, are Chinese in the window.
    void readingNotesAreInChinese() {
        QTemporaryDir dir;
        const std::string simplified =
            encodeText(u"我们今天一起去公园散步，这里的风景很美丽。他说这本书写得非常精彩。",
                       TextEncoding::Gb18030);
        QFile gb(dir.filePath(QStringLiteral("gb.txt")));
        QVERIFY(gb.open(QIODevice::WriteOnly));
        gb.write(simplified.data(), static_cast<qint64>(simplified.size()));
        gb.close();
        QFile cut(dir.filePath(QStringLiteral("cut.txt")));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(QStringLiteral("今天的天氣很好，我們一起去散步。").toUtf8() + "\xE5");
        cut.close();

        compare::CompareWindow window(m_data, m_lexicon, {});
        window.addPaths({dir.path()});
        QSignalSpy finished(&window, &compare::CompareWindow::finished);
        window.start();
        QVERIFY(finished.wait(60000));
        const QString status = window.findChild<QLabel *>(QStringLiteral("lblstatus"))->text();
        QVERIFY2(
            status.contains(QStringLiteral("以 GB18030（簡體中文）讀入，9 個漢字在資料中沒有記錄")),
            qPrintable(status));
        QVERIFY2(status.contains(QStringLiteral("以 UTF-8 讀入，1 處無法解讀的位元組")),
                 qPrintable(status));
        QVERIFY2(!status.contains(QStringLiteral("read as")), qPrintable(status));
    }

    void closingWhileRunningStopsTheWork() {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("long.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QFile story(QStringLiteral(YUEDU_SAMPLES_DIR "/story.txt"));
        QVERIFY(story.open(QIODevice::ReadOnly));
        const QByteArray text = story.readAll();
        for (int i = 0; i < 2000; ++i)
            f.write(text);
        f.close();
        auto *window = new compare::CompareWindow(m_data, m_lexicon, {});
        for (int i = 0; i < 8; ++i)
            window->addPaths({f.fileName()});
        window->start();
        window->cancel();
        delete window; // must neither hang nor touch the window afterwards
        QCoreApplication::processEvents();
    }

    void gradeWindowChartsItsOwnResult() {
        wordstats::GradeWindow window;
        auto result = std::make_shared<wordstats::GradeResult>();
        // Grade 1.5 three times, grade 2.5 once, and the empty piece, which is no word.
        result->words = {{u"", 4, 5}, {u"乙", 1, 25}, {u"甲", 3, 15}};
        result->groups[0] = {1, 3};
        result->groups[1] = {1, 1};
        result->graded = {2, 4};
        window.setResult(result, {});
        window.findChild<QPushButton *>(QStringLiteral("cmdChart"))->click();
        auto *panel = window.findChild<ui::ChartPanel *>();
        QVERIFY(panel);
        auto *series = qobject_cast<QStackedBarSeries *>(panel->view()->chart()->series().at(0));
        QVERIFY(series);
        const QList<QBarSet *> sets = series->barSets();
        QCOMPARE(sets.size(), 7);
        // Categories: distinct words, occurrences.
        QCOMPARE(sets[0]->at(0), 50.0);
        QCOMPARE(sets[0]->at(1), 75.0);
        QCOMPARE(sets[1]->at(1), 25.0);
        QCOMPARE(sets[6]->at(0), 0.0);
        panel->close();
    }

    void chartsOfFiveHundredTextsStayReadable() {
        ui::StackedBars bars;
        bars.title = QStringLiteral("500 篇");
        bars.valueTitle = QStringLiteral("%");
        bars.segments << QStringLiteral("一級") << QStringLiteral("二級");
        bars.values.resize(2);
        for (int i = 0; i < 500; ++i) {
            // Long names that differ only in the middle, the hardest case for eliding.
            bars.categories
                << QStringLiteral("%1 一篇名字很長很長的文章之第%2篇.txt").arg(i + 1).arg(i);
            bars.values[0] << 30;
            bars.values[1] << 70;
        }
        int clicked = -1;
        bars.clicked = [&](int text) { clicked = text; };
        std::unique_ptr<QChart> chart(ui::stackedBarChart(bars));
        auto *series = qobject_cast<QHorizontalStackedBarSeries *>(chart->series().at(0));
        QVERIFY(series); // many texts lie as horizontal bars
        QCOMPARE(series->barSets().at(0)->count(), 500);
        auto *axis = qobject_cast<QBarCategoryAxis *>(chart->axes(Qt::Vertical).at(0));
        QVERIFY(axis);
        QCOMPARE(axis->count(), 500); // every text has a label of its own
        for (const QString &label : axis->categories())
            QVERIFY2(label.trimmed().size() <= ui::kLabelChars, qPrintable(label));
        // The first text stands at the top, and a click on its bar names it.
        QVERIFY(axis->categories().last().startsWith(QStringLiteral("1 ")));
        emit series->barSets().at(0)->clicked(499);
        QCOMPARE(clicked, 0);
        QVERIFY(ui::barChartHeight(500) > 500 * 12);

        ui::Scatter scatter;
        for (int i = 0; i < 500; ++i)
            scatter.points.push_back(
                {QStringLiteral("t%1").arg(i), 100.0 * (i + 1), 1.0 + i % 12, i % 7 == 0});
        scatter.logX = ui::spansOrdersOfMagnitude(100, 50000);
        QVERIFY(scatter.logX);
        std::unique_ptr<QChart> points(ui::scatterChart(scatter));
        QCOMPARE(points->series().size(), 2); // the points outside the range drawn apart
        auto *marked = qobject_cast<QScatterSeries *>(points->series().at(1));
        QCOMPARE(marked->count(), 72);
        QVERIFY(qobject_cast<QLogValueAxis *>(points->axes(Qt::Horizontal).at(0)));
    }

    void elidingKeepsBothEndsOfAName() {
        QCOMPARE(ui::elideMiddle(QStringLiteral("short.txt")), QStringLiteral("short.txt"));
        const QString elided =
            ui::elideMiddle(QStringLiteral("12 abcdefghijklmnopqrstuvwxyz.txt"), 11);
        QCOMPARE(elided, QStringLiteral("12 ab…z.txt"));
        QCOMPARE(ui::sequentialPalette(10).size(), 10);
        const QVector<QColor> palette = ui::sequentialPalette(10);
        auto luma = [](const QColor &c) {
            return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
        };
        for (int i = 1; i < palette.size(); ++i) // ordered levels get lighter step by step,
            QVERIFY(luma(palette[i]) > luma(palette[i - 1]) + 0.05); // also in grey print
    }

private:
    LanguageData m_data;
    seg::Lexicon m_lexicon;
};

QTEST_MAIN(CompareWindowTest)
#include "compare_window_test.moc"
