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

#include <QBarSet>
#include <QPushButton>
#include <QStackedBarSeries>

#include "compare/comparewindow.h"
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
        QFile out(csv);
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = out.readAll().split('\n');
        QCOMPARE(lines.size(), 5); // header, three rows, the empty rest after the last line end
        QVERIFY(lines[0].startsWith("\xEF\xBB\xBFpath,zancf,")); // one CSV dialect: with BOM
        QVERIFY(lines[1].startsWith(dir.filePath(QStringLiteral("a.txt")).toUtf8() + ','));
        QVERIFY(!window.exportCsv(dir.filePath(QStringLiteral("no/such/dir/x.csv")), &error));
        QVERIFY(!error.isEmpty());
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

private:
    LanguageData m_data;
    seg::Lexicon m_lexicon;
};

QTEST_MAIN(CompareWindowTest)
#include "compare_window_test.moc"
