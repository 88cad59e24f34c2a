// Document windows and files: slots, captions, opening, saving.
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include "apptestsupport.h"

using namespace yuedu::app;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QTextCharFormat formatAt(yuedu::ui::RichTextBox *box, int position) {
    QTextCursor c(box->document());
    c.setPosition(position + 1); // the format of the character before the cursor
    return c.charFormat();
}

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void elevenOpensFillTenSlotsAndRefuseTheEleventh() {
        AppFixture app;
        QTemporaryDir dir;
        for (int k = 0; k < 11; ++k)
            app.dialogs->openAnswers.enqueue(
                writeFile(dir, QStringLiteral("f%1.txt").arg(k), "\xa4\xd1"));
        for (int k = 0; k < 11; ++k)
            app.trigger("MDImnuopen");

        const auto docs = app.documents();
        QCOMPARE(docs.size(), 10);
        for (int k = 0; k < 10; ++k) {
            DocumentWindow *w = app.main->documentSlots().window(k);
            QVERIFY(w);
            QCOMPARE(w->tag(), QString::number(k));
            QCOMPARE(w->windowTitle(),
                     QStringLiteral("處理檔 - ") + dir.filePath(QStringLiteral("f%1.txt").arg(k)));
            QCOMPARE(w->Rhtxtword()->Text(), QStringLiteral("天"));
        }
        QCOMPARE(app.dialogs->messages, QStringList{kTooManyFiles});
        QCOMPARE(app.dialogs->openAnswers.size(), 1); // no dialog for the eleventh
        QCOMPARE(
            app.dialogs->lastFilter,
            QStringLiteral("txt 格式 (*.txt);;RTF 格式 (*.RTF);;結果檔 (*.rxt);;所有檔案 (*.*)"));
    }

    void closingSlotThreeGivesItToTheNextNewDocument() {
        AppFixture app;
        for (int k = 0; k < 10; ++k)
            app.trigger("MDImnunew");
        QCOMPARE(app.main->findfree(), -1);
        app.main->mdiArea()->setActiveSubWindow(app.main->documentSlots().subWindow(3));
        QCOMPARE(app.main->CurrentSlot, 3);
        app.trigger("MDImnuclose");
        QCOMPARE(app.main->findfree(), 3);
        app.trigger("MDImnunew");
        DocumentWindow *w = app.main->activeDocument();
        QVERIFY(w);
        QCOMPARE(w->tag(), QStringLiteral("3"));
        QCOMPARE(w->windowTitle(), QStringLiteral("未命名檔案"));
        QCOMPARE(app.main->CurrentSlot, 3);
        QCOMPARE(app.documents().size(), 10);
        QVERIFY(app.dialogs->messages.isEmpty());
    }

    void cancelledOpenLeavesAReservedWindowThatTheNextNewReuses() {
        AppFixture app;
        app.dialogs->openAnswers.enqueue(QString());
        app.trigger("MDImnuopen");
        QCOMPARE(app.documents().size(), 1);
        DocumentWindow *reserved = app.documents().front();
        QCOMPARE(reserved->windowTitle(), QStringLiteral("查詢資料來源"));
        QVERIFY(reserved->tag().isEmpty());
        QCOMPARE(app.main->findfree(), 0);

        app.trigger("MDImnunew");
        QCOMPARE(app.documents().size(), 1);
        QCOMPARE(app.documents().front(), reserved);
        QCOMPARE(reserved->windowTitle(), QStringLiteral("未命名檔案"));
        QCOMPARE(reserved->tag(), QStringLiteral("0"));
    }

    void unreadableFileIsReportedAndTheSlotStaysReserved() {
        AppFixture app;
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("gone.txt"));
        app.dialogs->openAnswers.enqueue(missing);
        app.trigger("MDImnuopen");
        QCOMPARE(app.dialogs->messages.size(), 1);
        QCOMPARE(app.dialogs->messages.front(), QStringLiteral("檔案開啟有問題 ") + missing);
        QVERIFY(app.main->documentSlots().SlotFileNames[0].isEmpty());
        QCOMPARE(app.main->findfree(), 0);
        QCOMPARE(app.documents().front()->windowTitle(), QStringLiteral("查詢資料來源"));
    }

    void opensBig5Utf8AndRtf_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("big5") << QByteArray("\xa4\xd1\xa6\x61\r\n\xa5\xc8")
                              << QStringLiteral("天地\n玄");
        QTest::newRow("utf8") << QByteArray("\xe5\xa4\xa9\xe5\x9c\xb0") << QStringLiteral("天地");
        QTest::newRow("rtf") << QByteArray(
                                    "{\\rtf1\\ansi\\ansicpg950{\\fonttbl{\\f0\\fcharset136 x;}}"
                                    "\\f0\\'a4\\'d1{\\b\\'a6\\'61}\\par}")
                             << QStringLiteral("天地");
    }
    void opensBig5Utf8AndRtf() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        AppFixture app;
        QTemporaryDir dir;
        app.dialogs->openAnswers.enqueue(writeFile(dir, QStringLiteral("doc.txt"), bytes));
        app.trigger("MDImnuopen");
        QVERIFY(app.dialogs->messages.isEmpty());
        QCOMPARE(app.box()->Text(), text);
    }

    void filesNamedOnTheCommandLineOpenInSlotsLikeOpenedOnes() {
        AppFixture app;
        QTemporaryDir dir;
        QStringList paths;
        for (int k = 0; k < 11; ++k)
            paths << writeFile(dir, QStringLiteral("c%1.txt").arg(k), "\xa4\xd1");
        app.main->openFiles(paths);
        QCOMPARE(app.documents().size(), 10);
        QCOMPARE(app.main->documentSlots().window(9)->windowTitle(),
                 QStringLiteral("處理檔 - ") + dir.filePath(QStringLiteral("c9.txt")));
        QCOMPARE(app.dialogs->messages, QStringList{kTooManyFiles});
    }

    void saveThenReopenKeepsTextAndFormatting() {
        AppFixture app;
        QTemporaryDir dir;
        app.trigger("MDImnunew");
        auto *box = app.box();
        box->setSelText(QStringLiteral("天地玄黃\n宇宙"));
        box->setSelection(1, 1);
        app.dialogs->colorAnswer = QColor(0xcc, 0x00, 0x33);
        app.trigger("MDImnuselcolor");
        app.trigger("MDImnuunderline");
        box->setSelection(2, 2);
        QFont big = yuedu::ui::RichTextBox::defaultFont();
        big.setPointSize(20);
        big.setBold(true);
        app.dialogs->fontAnswer = big;
        app.trigger("MDImnuchar");

        // A new document has no name: 儲存檔案 asks for one.
        const QString path = dir.filePath(QStringLiteral("saved.rxt"));
        app.dialogs->saveAnswers.enqueue(path);
        app.trigger("MDImnusave");
        QVERIFY(readFile(path).startsWith("{\\rtf1"));

        app.dialogs->openAnswers.enqueue(path);
        app.trigger("MDImnuopen");
        auto *again = app.box();
        QVERIFY(again != box);
        QCOMPARE(again->Text(), QStringLiteral("天地玄黃\n宇宙"));
        QCOMPARE(formatAt(again, 1).foreground().color(), QColor(0xcc, 0x00, 0x33));
        QVERIFY(formatAt(again, 1).fontUnderline());
        QVERIFY(!formatAt(again, 0).fontUnderline());
        QCOMPARE(formatAt(again, 2).fontPointSize(), 20.0);
        QVERIFY(formatAt(again, 3).fontWeight() >= QFont::Bold);
        QVERIFY(formatAt(again, 0).fontWeight() < QFont::Bold);
    }

    void saveAsThenSaveWritesToTheOpenedName() {
        AppFixture app;
        QTemporaryDir dir;
        const QString original = writeFile(dir, QStringLiteral("a.txt"), "\xa4\xd1");
        const QString copy = dir.filePath(QStringLiteral("b.rtf"));
        app.dialogs->openAnswers.enqueue(original);
        app.trigger("MDImnuopen");
        app.dialogs->saveAnswers.enqueue(copy);
        app.trigger("MDImnusaveas");
        app.box()->setSelection(1, 0);
        app.box()->setSelText(QStringLiteral("地"));
        app.trigger("MDImnusave");

        QCOMPARE(app.main->activeDocument()->windowTitle(), QStringLiteral("處理檔 - ") + original);
        // 地 went to the opened name, which stays Big5 text.
        QCOMPARE(readFile(original), QByteArray("\xa4\xd1\xa6\x61"));
        QVERIFY(!readFile(copy).contains("\\u22320"));
        QVERIFY(readFile(copy).contains("\\u22825"));
    }

    void failedSaveSaysSoAndKeepsTheOldFile() {
        AppFixture app;
        QTemporaryDir dir;
        app.trigger("MDImnunew");
        app.box()->setSelText(QStringLiteral("天"));
        const QString bad = dir.filePath(QStringLiteral("no/such/dir/x.rtf"));
        app.dialogs->saveAnswers.enqueue(bad);
        app.trigger("MDImnusaveas");
        QCOMPARE(app.dialogs->messages.size(), 1);
        QVERIFY(app.dialogs->messages.front().startsWith(QStringLiteral("檔案儲存有問題 ") + bad));

        // A folder where the file should be: the write fails and the folder is untouched.
        const QString occupied = dir.filePath(QStringLiteral("occupied"));
        QDir(dir.path()).mkdir(QStringLiteral("occupied"));
        writeFile(dir, QStringLiteral("occupied/keep.txt"), "keep");
        app.dialogs->saveAnswers.enqueue(occupied);
        app.trigger("MDImnusaveas");
        QCOMPARE(app.dialogs->messages.size(), 2);
        QCOMPARE(readFile(dir.filePath(QStringLiteral("occupied/keep.txt"))), QByteArray("keep"));
    }

    void printAsksOnlyWithADocument() {
        AppFixture app;
        app.trigger("MDImnuprinter");
        QCOMPARE(app.dialogs->printed, 0);
        app.trigger("MDImnunew");
        app.trigger("MDImnuprinter");
        QCOMPARE(app.dialogs->printed, 1);
    }

    void windowMenuListsTheOpenWindowsWithTheActiveChecked() {
        AppFixture app;
        app.trigger("MDImnunew");
        app.trigger("MDImnunew");
        auto *menu = app.main->findChild<QMenu *>(QStringLiteral("mnuwindow"));
        QVERIFY(menu);
        emit menu->aboutToShow();
        QStringList checked, listed;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator() || !a->objectName().isEmpty())
                continue;
            listed << a->text();
            if (a->isChecked())
                checked << a->text();
        }
        QCOMPARE(listed.size(), 2);
        QCOMPARE(checked, QStringList{QStringLiteral("&2 未命名檔案")});

        // A "&" in a caption (a path such as /home/u/R&D/a.txt) is shown, not taken as the
        // item's access key.
        app.main->activeDocument()->setWindowTitle(QStringLiteral("處理檔 - /R&D/a.txt"));
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().last()->iconText(), QStringLiteral("2 處理檔 - /R&D/a.txt"));

        app.trigger("MDImnuWindowTileV");
        const auto subs = app.main->mdiArea()->subWindowList();
        QCOMPARE(subs[0]->geometry().top(), subs[1]->geometry().top());
        QVERIFY(subs[0]->geometry().left() != subs[1]->geometry().left());
        app.trigger("MDImnuWindowTileH");
        QCOMPARE(subs[0]->geometry().left(), subs[1]->geometry().left());
        QVERIFY(subs[0]->geometry().top() != subs[1]->geometry().top());

        // Minimised windows line up along the bottom edge.
        for (QMdiSubWindow *sub : subs)
            sub->showMinimized();
        app.trigger("MDImnuWindowArrange");
        const int bottom = app.main->mdiArea()->viewport()->rect().bottom();
        QCOMPARE(subs[0]->geometry().bottom(), bottom);
        QCOMPARE(subs[1]->geometry().bottom(), bottom);
        QCOMPARE(subs[1]->geometry().left(), subs[0]->geometry().right() + 1);
    }

    void cutOffRtfOpensWhatItHoldsAndSaysSo() {
        AppFixture app;
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, QStringLiteral("cut.rtf"), "{\\rtf1\\ansi {\\b abc}\\par de");
        app.dialogs->openAnswers.enqueue(path);
        app.trigger("MDImnuopen");
        QCOMPARE(app.box()->Text(), QStringLiteral("abc\nde"));
        QCOMPARE(app.main->activeDocument()->tag(), QStringLiteral("0"));
        QCOMPARE(app.dialogs->messages,
                 QStringList{QStringLiteral("檔案不完整，只讀入了前面的部分：") + path});
    }

    void openDialogFindsANameTypedWithoutItsExtension() {
        QTemporaryDir dir;
        const QString story = writeFile(dir, QStringLiteral("story.txt"), "x");
        QTimer::singleShot(0, [typed = dir.filePath(QStringLiteral("story"))] {
            if (auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                d->selectFile(typed);
                // A name that is not found is reported in a message box: answer it.
                QTimer::singleShot(0, [] {
                    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                        box->reject();
                });
                QMetaObject::invokeMethod(d, "accept");
                if (d->isVisible())
                    d->reject();
            }
        });
        Dialogs dialogs;
        QCOMPARE(dialogs.openFileName(nullptr, QStringLiteral("txt 格式 (*.txt)"),
                                      QStringLiteral("TXT")),
                 story);
    }

    void newWindowsOpenInsideTheVisibleArea() {
        AppFixture app;
        app.main->resize(640, 420);
        QTest::qWait(0);
        QMdiArea *area = app.main->mdiArea();
        QList<QMdiSubWindow *> opened;
        for (int k = 0; k < 10; ++k) {
            app.trigger("MDImnunew");
            opened << area->currentSubWindow();
        }
        // A result window asking for more room than there is.
        auto *big = new QWidget;
        big->resize(1600, 1200);
        opened << app.main->showChildWindow(big);
        QTest::qWait(0);
        const QRect visible = area->viewport()->rect();
        for (QMdiSubWindow *sub : opened)
            QVERIFY2(visible.contains(sub->geometry()), qPrintable(sub->windowTitle()));
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(!area->verticalScrollBar()->isVisible());
        // One after another, like a cascade: no window hides the title of the one before.
        QVERIFY(opened[1]->geometry().topLeft() != opened[0]->geometry().topLeft());
    }
};

QTEST_MAIN(DocumentsTest)
#include "documents_test.moc"
