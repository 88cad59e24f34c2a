// A segmentation result saved by the desktop program (.rxt, RTF) gives yuedu-cli's word
// statistics the same figures as the segmented text itself.
#include <QTemporaryDir>
#include <QTest>

#include "app/richtextbox.h"
#include "docfile/docfile.h"
#include "runprocess.h"

using yuedu::test::readWholeFile;
using yuedu::test::runProcess;

class SavedResultTest : public QObject {
    Q_OBJECT
private slots:
    void frequencyOfASavedResultEqualsThatOfItsText() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // Two lines as the segmenter writes them: two blanks after every word, CR LF.
        QString segmented;
        for (int k = 0; k < 13; ++k)
            segmented += k % 3 ? QStringLiteral("天地  ") : QStringLiteral("玄黃  ");
        segmented += QStringLiteral("\r\n宇宙  洪荒  ，  天地  \r\n");
        yuedu::app::RichTextBox box;
        box.setSelText(segmented);
        const QString rxt = dir.filePath(QStringLiteral("結果檔 - 千字文.rxt"));
        yuedu::doc::writeFileSafely(rxt.toStdString(), box.rtfBytes());

        const std::string plain = dir.filePath(QStringLiteral("plain.txt")).toStdString();
        {
            QFile f(QString::fromStdString(plain));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(box.toPlainText().toUtf8());
        }
        const std::string fromRxt = dir.filePath(QStringLiteral("a.tsv")).toStdString();
        const std::string fromText = dir.filePath(QStringLiteral("b.tsv")).toStdString();
        auto r = runProcess({YUEDU_CLI, "freq", rxt.toStdString()}, fromRxt);
        QCOMPARE(r.status, 0);
        // Only the totals: no warning about the file's form or encoding.
        QCOMPARE(QString::fromStdString(r.err),
                 QStringLiteral("yuedu-cli freq: 17 words, 5 distinct\n"));
        QCOMPARE(runProcess({YUEDU_CLI, "freq", plain}, fromText).status, 0);
        QCOMPARE(QString::fromStdString(readWholeFile(fromRxt)),
                 QString::fromStdString(readWholeFile(fromText)));
        QVERIFY(readWholeFile(fromRxt).rfind("天地\t9\t", 0) == 0);
    }
};

QTEST_MAIN(SavedResultTest)
#include "savedresult_test.moc"
