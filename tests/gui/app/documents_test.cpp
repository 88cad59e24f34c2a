// Document windows and files: slots, captions, opening, saving.
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <unistd.h>

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

QTextCharFormat formatAt(yuedu::app::RichTextBox *box, int position) {
    QTextCursor c(box->document());
    c.setPosition(position + 1); // the format of the character before the cursor
    return c.charFormat();
}

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void elevenOpensGiveTenDocumentsAndRefuseTheEleventh() {
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
            DocumentWindow *w = docs[k];
            QCOMPARE(w->filePath(), dir.filePath(QStringLiteral("f%1.txt").arg(k)));
            QCOMPARE(w->windowTitle(),
                     QStringLiteral("處理檔 - ") + dir.filePath(QStringLiteral("f%1.txt").arg(k)));
            QCOMPARE(w->textBox()->Text(), QStringLiteral("天"));
        }
        QCOMPARE(app.dialogs->messages, QStringList{kTooManyFiles});
        QCOMPARE(app.dialogs->openAnswers.size(), 1); // no dialog for the eleventh
        QCOMPARE(app.dialogs->lastFilter,
                 QStringLiteral(
                     "txt 格式 (*.txt);;RTF 格式 (*.rtf);;結果檔 (*.rxt);;Word 文件 (*.docx);;"
                     "OpenDocument 文字 (*.odt);;EPUB 電子書 (*.epub);;網頁 (*.html *.htm "
                     "*.xhtml);;PDF 文件 (*.pdf);;所有檔案 (*.*)"));
    }

    void closingOneOfTenMakesRoomForAnother() {
        AppFixture app;
        for (int k = 0; k < 11; ++k)
            app.trigger("MDImnunew");
        QCOMPARE(app.documents().size(), 10);
        QCOMPARE(app.dialogs->messages, QStringList{kTooManyFiles});
        app.main->mdiArea()->setActiveSubWindow(app.main->mdiArea()->subWindowList()[3]);
        app.trigger("MDImnuclose");
        QCOMPARE(app.documents().size(), 9);
        app.trigger("MDImnunew");
        DocumentWindow *w = app.main->activeDocument();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("未命名檔案"));
        QCOMPARE(app.documents().size(), 10);
        QCOMPARE(app.dialogs->messages.size(), 1);
    }

    // Each failed or cancelled open says why (when it failed) and leaves no window behind.
    void failedOrCancelledOpenLeavesNoWindow_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("cancelled") << QString() << QString();
        QTest::newRow("missing") << QStringLiteral("gone.txt")
                                 << QStringLiteral("找不到這個檔案或資料夾");
        QTest::newRow("folder") << QStringLiteral("sub") << QStringLiteral("這是一個資料夾");
        if (geteuid() != 0) // root reads any file
            QTest::newRow("no permission")
                << QStringLiteral("locked.txt") << QStringLiteral("沒有權限");
    }
    void failedOrCancelledOpenLeavesNoWindow() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        AppFixture app;
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
        const QString locked = writeFile(dir, QStringLiteral("locked.txt"), "x");
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        const QString path = name.isEmpty() ? QString() : dir.filePath(name);
        app.dialogs->openAnswers.enqueue(path);
        app.trigger("MDImnuopen");
        QCOMPARE(app.documents().size(), 0);
        if (reason.isEmpty())
            QVERIFY(app.dialogs->messages.isEmpty());
        else
            QCOMPARE(app.dialogs->messages, QStringList{QStringLiteral("檔案開啟有問題 ") + path +
                                                        QStringLiteral("\n\n") + reason});
    }

    void missingRecentFileOffersToLeaveTheList() {
        AppFixture app;
        QTemporaryDir dir;
        const QString kept = writeFile(dir, QStringLiteral("kept.txt"), "x");
        const QString gone = writeFile(dir, QStringLiteral("gone.txt"), "y");
        app.main->openFiles({gone, kept});
        QFile::remove(gone);
        auto *menu = app.main->findChild<QMenu *>(QStringLiteral("mnurecent"));
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), MainWindow::recentFiles().size());
        const int before = static_cast<int>(app.documents().size());
        app.dialogs->confirmAnswers << true;
        menu->actions()[1]->trigger(); // newest first: kept.txt, then gone.txt
        QCOMPARE(app.dialogs->questions.size(), 1);
        QVERIFY(app.dialogs->questions.front().contains(gone));
        QCOMPARE(app.documents().size(), before);
        QCOMPARE(MainWindow::recentFiles().first(), kept);
        QVERIFY(!MainWindow::recentFiles().contains(gone));
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
        QCOMPARE(app.documents()[9]->windowTitle(),
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
        QFont big = yuedu::app::RichTextBox::defaultFont();
        big.setPointSize(20);
        big.setBold(true);
        app.dialogs->fontAnswer = big;
        app.trigger("MDImnuchar");

        // A new document has no name: 儲存檔案 asks for one.
        const QString path = dir.filePath(QStringLiteral("saved.rxt"));
        app.dialogs->saveAnswers.enqueue(path);
        app.trigger("MDImnusave");
        QVERIFY(readFile(path).startsWith("{\\rtf1"));

        // Opening it while it is open brings its window forward; closed, it is read anew.
        app.dialogs->openAnswers.enqueue(path);
        app.trigger("MDImnuopen");
        QCOMPARE(app.box(), box);
        app.trigger("MDImnuclose");
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

    void paragraphFormatsSurviveOpeningAndSaving() {
        AppFixture app;
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, QStringLiteral("p.rtf"),
                      "{\\rtf1\\ansi\\ansicpg950\\pard\\qc\\sa200 \\'b8\\'6d\\'a4\\'a4\\par"
                      "\\pard\\qj\\li720\\ri360\\fi-360\\sb120 two\\par\\pard three\\par}");
        app.dialogs->openAnswers << path;
        app.trigger("MDImnuopen");
        QTextBlock first = app.box()->document()->begin();
        QCOMPARE(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        app.box()->setSelection(0, 0);
        app.box()->setSelText(QStringLiteral("新"));
        app.trigger("MDImnusave");
        const QByteArray saved = readFile(path);
        QVERIFY(saved.contains("\\pard\\qc\\sa200"));
        QVERIFY(saved.contains("\\pard\\qj\\li720\\ri360\\fi-360\\sb120 "));
        QVERIFY(saved.contains("\\pard {"));
        QCOMPARE(app.box()->Text(), QStringLiteral("新置中\ntwo\nthree"));
    }

    // After 另存新檔 the document is the new file: later saves go there, never to the original.
    void saveAsThenSaveWritesOnlyTheNewFile() {
        AppFixture app;
        QTemporaryDir dir;
        const QString original = writeFile(dir, QStringLiteral("a.txt"), "\xa4\xd1");
        const QString copy = dir.filePath(QStringLiteral("b.rtf"));
        app.dialogs->openAnswers.enqueue(original);
        app.trigger("MDImnuopen");
        app.dialogs->saveAnswers.enqueue(copy);
        app.trigger("MDImnusaveas");
        // The dialog started at the document's file, with its format's filter.
        QCOMPARE(app.dialogs->saveStart, original);
        QCOMPARE(app.dialogs->saveSelectedFilter, QStringLiteral("txt 格式 (*.txt)"));
        QMdiSubWindow *frame = app.main->mdiArea()->currentSubWindow();
        QCOMPARE(frame->windowTitle(), QStringLiteral("處理檔 - ") + copy);
        app.box()->setSelection(1, 0);
        app.box()->setSelText(QStringLiteral("地"));
        QCOMPARE(frame->windowTitle(), QStringLiteral("*處理檔 - ") + copy);
        app.trigger("MDImnusave");

        QCOMPARE(frame->windowTitle(), QStringLiteral("處理檔 - ") + copy);
        QCOMPARE(readFile(original), QByteArray("\xa4\xd1"));
        QVERIFY(readFile(copy).startsWith("{\\rtf1"));
        QVERIFY(readFile(copy).contains("\\u22320")); // 地
        QCOMPARE(app.dialogs->saveAnswers.size(), 0);

        // A plain-text name makes it plain text again (UTF-8, as an RTF file has no encoding).
        const QString text = dir.filePath(QStringLiteral("c.txt"));
        app.dialogs->saveAnswers.enqueue(text);
        app.trigger("MDImnusaveas");
        QCOMPARE(readFile(text), QByteArray("\xe5\xa4\xa9\xe5\x9c\xb0"));
        QCOMPARE(app.main->activeDocument()->filePath(), text);
    }

    // A file the user may write saves even in a folder the user may not write into.
    void writableFileInAReadOnlyFolderSaves() {
        if (geteuid() == 0)
            QSKIP("root writes into any folder");
        AppFixture app;
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("a.txt"), "\xa4\xd1");
        app.main->openFiles({path});
        app.box()->setSelection(1, 0);
        app.box()->setSelText(QStringLiteral("地"));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        app.trigger("MDImnusave");
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        QCOMPARE(readFile(path), QByteArray("\xa4\xd1\xa6\x61"));
        QCOMPARE(app.dialogs->messages.size(), 1);
        QVERIFY(app.dialogs->messages.front().contains(QStringLiteral("直接改寫")));
        QVERIFY(!app.main->activeDocument()->isModified());
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
        QCOMPARE(app.dialogs->messages.front(), QStringLiteral("檔案儲存有問題 ") + bad +
                                                    QStringLiteral("\n\n找不到這個檔案或資料夾"));

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
        QCOMPARE(app.main->activeDocument()->filePath(), path);
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

    void closingOrExitingWithUnsavedTextAsksFirst() {
        AppFixture app;
        QTemporaryDir dir;
        app.trigger("MDImnunew"); // an untouched one first, which 結束 must not close alone
        app.trigger("MDImnunew");
        DocumentWindow *w = app.main->activeDocument();
        QMdiSubWindow *frame = app.main->mdiArea()->currentSubWindow();
        QCOMPARE(frame->windowTitle(), QStringLiteral("未命名檔案"));
        app.box()->setSelText(QStringLiteral("天地"));
        QCOMPARE(frame->windowTitle(), QStringLiteral("*未命名檔案"));
        QCOMPARE(w->windowTitle(), QStringLiteral("未命名檔案")); // the caption itself is kept

        // 取消 on closing and on 結束: the text and the program stay.
        app.dialogs->saveChoices << Dialogs::SaveChoice::Cancel << Dialogs::SaveChoice::Cancel;
        app.trigger("MDImnuclose");
        app.trigger("MDImnuexit");
        QCOMPARE(app.dialogs->questions.size(), 2);
        QCOMPARE(app.documents().size(), 2);
        QVERIFY(app.main->isVisible());
        QCOMPARE(app.box()->Text(), QStringLiteral("天地"));

        // 儲存 asks for a name; cancelling that keeps the window too.
        app.dialogs->saveChoices << Dialogs::SaveChoice::Save;
        app.trigger("MDImnuclose");
        QCOMPARE(app.documents().size(), 2);

        const QString path = dir.filePath(QStringLiteral("kept.txt"));
        app.dialogs->saveChoices << Dialogs::SaveChoice::Save;
        app.dialogs->saveAnswers << path;
        app.trigger("MDImnuclose");
        QCOMPARE(app.documents().size(), 1);
        QCOMPARE(readFile(path), QByteArray("\xe5\xa4\xa9\xe5\x9c\xb0"));

        // An unmodified document closes without a word.
        app.dialogs->openAnswers << path;
        app.trigger("MDImnuopen");
        const int asked = static_cast<int>(app.dialogs->questions.size());
        app.trigger("MDImnuexit");
        QCOMPARE(app.dialogs->questions.size(), asked);
        QVERIFY(!app.main->isVisible());
    }

    void plainTextFilesStayPlainInTheirEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("big5 crlf")
            << QByteArray("\xa4\xd1\r\n\xa5\xc8") << QByteArray("\xa4\xd1\r\n\xa5\xc8\xa6\x61");
        QTest::newRow("utf8 lf") << QByteArray("\xe5\xa4\xa9\n\xe7\x8e\x84")
                                 << QByteArray("\xe5\xa4\xa9\n\xe7\x8e\x84\xe5\x9c\xb0");
        QTest::newRow("utf16le bom") << QByteArray("\xff\xfe\x29\x59\x0a\x00\x84\x73", 8)
                                     << QByteArray("\xff\xfe\x29\x59\x0a\x00\x84\x73\x30\x57", 10);
    }
    void plainTextFilesStayPlainInTheirEncoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        AppFixture app;
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("doc.txt"), bytes);
        app.dialogs->openAnswers << path;
        app.trigger("MDImnuopen");
        app.box()->setSelection(3, 0);
        app.box()->setSelText(QStringLiteral("地"));
        app.trigger("MDImnusave");
        QCOMPARE(readFile(path), saved);
        QCOMPARE(app.dialogs->questions, QStringList());

        // Once formatted it cannot stay plain: declining writes nothing, accepting writes RTF
        // beside it under a .rtf name, which becomes the document's name.
        app.box()->setSelection(0, 1);
        app.dialogs->colorAnswer = QColor(Qt::red);
        app.trigger("MDImnuselcolor");
        app.dialogs->confirmAnswers << false << true;
        app.trigger("MDImnusave");
        QCOMPARE(readFile(path), saved);
        app.trigger("MDImnusave");
        QCOMPARE(app.dialogs->questions.size(), 2);
        const QString rtf = dir.filePath(QStringLiteral("doc.rtf"));
        QVERIFY(readFile(rtf).startsWith("{\\rtf1"));
        QCOMPARE(readFile(path), saved);
        QCOMPARE(app.main->activeDocument()->windowTitle(), QStringLiteral("處理檔 - ") + rtf);
        QCOMPARE(MainWindow::recentFiles().mid(0, 2), (QStringList{rtf, path}));
    }

    void big5TextWithACharacterBig5LacksAsksBeforeBecomingRtf() {
        AppFixture app;
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("b.txt"), "\xa4\xd1");
        app.dialogs->openAnswers << path;
        app.trigger("MDImnuopen");
        app.box()->setSelText(QStringLiteral("\u4e3d")); // 丽: simplified, not in Big5
        app.dialogs->confirmAnswers << false;
        app.trigger("MDImnusave");
        QCOMPARE(app.dialogs->questions.size(), 1);
        QVERIFY(app.dialogs->questions.front().contains(QStringLiteral("1 個字元無法以 Big5")));
        QCOMPARE(readFile(path), QByteArray("\xa4\xd1"));
        QVERIFY(app.dialogs->messages.isEmpty());
    }

    void undecodedBytesAreShownAndNotSavedOverWithoutAsking() {
        AppFixture app;
        QTemporaryDir dir;
        const QByteArray big5("\xa4\xd1\xa6\x61"); // 天地 in Big5: not UTF-8
        const QString path = writeFile(dir, QStringLiteral("e.txt"), big5);
        app.dialogs->openAnswers << path;
        app.trigger("MDImnuopen");
        QCOMPARE(app.box()->Text(), QStringLiteral("天地"));
        QVERIFY(app.main->encodingLine().isEmpty());

        app.trigger("mnureopenUTF-8");
        QVERIFY(app.box()->Text().contains(QChar(0xFFFD)));
        QVERIFY(app.main->encodingLine().contains(QStringLiteral("UTF-8")));
        QVERIFY(app.main->findChild<QLabel *>(QStringLiteral("encodingLine"))->text() ==
                app.main->encodingLine());
        app.box()->setSelText(QStringLiteral("x"));
        app.dialogs->confirmAnswers << false;
        app.trigger("MDImnusave");
        QCOMPARE(readFile(path), big5);

        // Back in Big5 (after agreeing to drop the edit) all is well again.
        app.trigger("mnureopenBig5");
        QCOMPARE(app.box()->Text(), QStringLiteral("天地"));
        QVERIFY(app.main->encodingLine().isEmpty());
        QCOMPARE(app.dialogs->questions.size(), 2);
    }

    void simplifiedTextIsSaidAndConvertedOnlyOnRequest() {
        AppFixture app;
        QTemporaryDir dir;
        // GBK: 我们今天一起去公园散步，这里的风景很美丽。他说这本书写得非常精彩。
        const QString path = writeFile(dir, QStringLiteral("gb.txt"),
                                       "\xce\xd2\xc3\xc7\xbd\xf1\xcc\xec\xd2\xbb\xc6\xf0\xc8\xa5"
                                       "\xb9\xab\xd4\xb0\xc9\xa2\xb2\xbd"
                                       "\xa3\xac\xd5\xe2\xc0\xef\xb5\xc4\xb7\xe7\xbe\xb0\xba\xdc"
                                       "\xc3\xc0\xc0\xf6\xa1\xa3\xcb\xfb"
                                       "\xcb\xb5\xd5\xe2\xb1\xbe\xca\xe9\xd0\xb4\xb5\xc3\xb7\xc7"
                                       "\xb3\xa3\xbe\xab\xb2\xca\xa1\xa3");
        app.dialogs->openAnswers << path;
        app.trigger("MDImnuopen");
        const QString simplified =
            QStringLiteral("我们今天一起去公园散步，这里的风景很美丽。他说这本书写得非常精彩。");
        QCOMPARE(app.box()->Text(), simplified);
        // 们 园 这 风 丽 说 这 书 写 have no Big5 code, so no record in the data.
        QVERIFY(app.main->encodingLine().contains(QStringLiteral("GB18030（簡體中文）")));
        QVERIFY(app.main->encodingLine().contains(QStringLiteral("9 個漢字")));
        QVERIFY(app.main->encodingLine().contains(QStringLiteral("轉為繁體")));

        app.trigger("mnutotraditional");
        QCOMPARE(
            app.box()->Text(),
            QStringLiteral("我們今天一起去公園散步，這裡的風景很美麗。他說這本書寫得非常精彩。"));
        QVERIFY(app.main->encodingLine().contains(QStringLiteral("已轉為繁體")));
        QVERIFY(app.main->encodingLine().contains(QStringLiteral("沒有記錄的漢字 0 個")));
        // One step to undo, and the status line says what the text is again; redo converts.
        app.trigger("mnuundo");
        QCOMPARE(app.box()->Text(), simplified);
        QVERIFY(!app.main->encodingLine().contains(QStringLiteral("已轉為繁體")));
        QVERIFY(app.main->encodingLine().contains(QStringLiteral("9 個漢字")));
        app.trigger("mnuredo");
        QVERIFY(app.main->encodingLine().contains(QStringLiteral("沒有記錄的漢字 0 個")));
    }

    void foldersAndBinaryFilesDoNotOpenAsText() {
        AppFixture app;
        QTemporaryDir dir;
        app.main->openFiles({dir.path()});
        QCOMPARE(app.dialogs->messages, QStringList{QStringLiteral("檔案開啟有問題 ") + dir.path() +
                                                    QStringLiteral("\n\n這是一個資料夾")});
        QCOMPARE(app.documents().size(), 0);

        QByteArray binary(4096, '\0');
        for (int k = 0; k < binary.size(); k += 7)
            binary[k] = static_cast<char>(k * 31);
        const QString path = writeFile(dir, QStringLiteral("prog"), binary);
        app.dialogs->confirmAnswers << false;
        app.main->openFiles({path});
        QCOMPARE(app.dialogs->questions.size(), 1);
        QCOMPARE(app.documents().size(), 0);
    }

    // A Word document opens as its text; since it is not written back, 儲存 asks for a name.
    // An encrypted PDF is refused with the reason, and no window stays for it.
    void otherFormatsOpenAsNewTextsAndBadOnesLeaveNothingOpen() {
        AppFixture app;
        QTemporaryDir dir;
        const QString formats = QString::fromUtf8(YUEDU_FORMATS_DIR);
        app.main->openFiles({formats + QStringLiteral("/pandoc.docx")});
        QCOMPARE(app.documents().size(), 1);
        QVERIFY(app.box()->Text().startsWith(QStringLiteral("小明的花園\n春天來了，")));
        QVERIFY(app.documents().front()->filePath().isEmpty());
        const QString saved = dir.filePath(QStringLiteral("garden.rtf"));
        app.dialogs->saveAnswers << saved;
        app.trigger("MDImnusave");
        QVERIFY(QFileInfo::exists(saved));
        QCOMPARE(app.documents().front()->filePath(), saved);

        const QString locked = formats + QStringLiteral("/libreoffice_password.pdf");
        app.main->openFiles({locked});
        QCOMPARE(app.documents().size(), 1);
        QVERIFY(
            app.dialogs->messages.last().startsWith(QStringLiteral("檔案開啟有問題 ") + locked));
        QVERIFY(app.dialogs->messages.last().contains(QStringLiteral("密碼")));
    }

    void saveDialogAddsTheChosenFiltersExtension_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("txt") << 0 << QStringLiteral(".txt");
        QTest::newRow("rtf") << 1 << QStringLiteral(".rtf");
    }
    void saveDialogAddsTheChosenFiltersExtension() {
        QFETCH(int, filter);
        QFETCH(QString, suffix);
        QTemporaryDir dir;
        const QString filters =
            QStringLiteral("txt 格式 (*.txt);;RTF 格式 (*.rtf);;結果檔 (*.rxt)");
        QTimer::singleShot(0, [&] {
            if (auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                d->selectNameFilter(filters.split(QStringLiteral(";;"))[filter]);
                emit d->filterSelected(d->selectedNameFilter());
                d->selectFile(dir.filePath(QStringLiteral("untitled1")));
                QMetaObject::invokeMethod(d, "accept");
                if (d->isVisible())
                    d->reject();
            }
        });
        Dialogs dialogs;
        QCOMPARE(dialogs.saveFileName(nullptr, filters),
                 dir.filePath(QStringLiteral("untitled1")) + suffix);
    }

    void newWindowsDoNotCoverOthersAndCascadeKeepsTheirSize() {
        AppFixture app;
        QTest::qWait(0);
        QMdiArea *area = app.main->mdiArea();
        app.trigger("MDImnunew");
        QMdiSubWindow *a = area->currentSubWindow();
        app.trigger("MDImnunew");
        QMdiSubWindow *b = area->currentSubWindow();
        a->close();
        app.trigger("MDImnunew");
        QMdiSubWindow *c = area->currentSubWindow();
        QVERIFY(c->pos() != b->pos());

        app.trigger("MDImnuWindowCascade");
        QVERIFY(c->pos() != b->pos());
        for (QMdiSubWindow *sub : {b, c})
            QVERIFY(sub->width() >= 480 && sub->height() >= 320);
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
