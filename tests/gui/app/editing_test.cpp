// Editing and formatting of the active document.
#include <QCheckBox>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "apptestsupport.h"

using namespace yuedu::app;

namespace {

QTextCharFormat formatAt(yuedu::app::RichTextBox *box, int position) {
    QTextCursor c(box->document());
    c.setPosition(position + 1);
    return c.charFormat();
}

} // namespace

class EditingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void cutAndCopyWithNothingSelectedLeaveTheClipboard() {
        AppFixture app;
        app.trigger("MDImnunew");
        app.box()->setSelText(QStringLiteral("天地玄黃"));
        app.box()->setSelection(2, 0);
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        app.trigger("MDImnucut");
        app.trigger("MDImnucopy");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("old"));
        QCOMPARE(app.box()->Text(), QStringLiteral("天地玄黃"));

        app.box()->setSelection(1, 2);
        app.trigger("MDImnucut");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("地玄"));
        QCOMPARE(app.box()->Text(), QStringLiteral("天黃"));
    }

    void selectAllSelectsTheWholeTextAndCopiesNothing() {
        AppFixture app;
        app.trigger("MDImnunew");
        app.box()->setSelText(QStringLiteral("天地\n玄黃"));
        app.box()->setSelection(3, 1);
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        app.trigger("MDImnucopyall");
        QCOMPARE(app.box()->SelStart(), 0);
        QCOMPARE(app.box()->SelLength(), 5);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("old"));
    }

    void pasteInsertsPlainTextInTheFormatAtTheCaret() {
        AppFixture app;
        app.trigger("MDImnunew");
        auto *box = app.box();
        box->setSelText(QStringLiteral("天地"));
        box->setSelection(0, 2);
        app.trigger("MDImnuunderline");
        box->setSelection(1, 0);
        auto *mime = new QMimeData;
        mime->setHtml(QStringLiteral("<b><i>玄</i></b>"));
        mime->setText(QStringLiteral("玄"));
        QGuiApplication::clipboard()->setMimeData(mime);
        app.trigger("MDImnupaste");
        QCOMPARE(box->Text(), QStringLiteral("天玄地"));
        QVERIFY(formatAt(box, 1).fontUnderline());            // the format at the caret
        QVERIFY(formatAt(box, 1).fontWeight() < QFont::Bold); // not the clipboard's
        QVERIFY(!formatAt(box, 1).fontItalic());

        // Pasting an empty clipboard changes nothing: the selection is not lost.
        QGuiApplication::clipboard()->clear();
        box->setSelection(0, 1);
        app.trigger("MDImnupaste");
        QCOMPARE(box->Text(), QStringLiteral("天玄地"));
    }

    void fontRemovesUnderlineAndACancelChangesNothing() {
        AppFixture app;
        app.trigger("MDImnunew");
        auto *box = app.box();
        box->setSelText(QStringLiteral("天地玄"));
        box->setSelection(0, 2);
        app.trigger("MDImnuunderline");

        app.dialogs->fontAnswer.reset(); // cancelled
        app.trigger("MDImnuchar");
        QVERIFY(formatAt(box, 0).fontUnderline());

        QFont f = yuedu::app::RichTextBox::defaultFont();
        f.setPointSize(18);
        f.setItalic(true);
        app.dialogs->fontAnswer = f;
        app.trigger("MDImnuchar");
        QVERIFY(!formatAt(box, 0).fontUnderline());
        QVERIFY(!formatAt(box, 1).fontUnderline());
        QVERIFY(formatAt(box, 1).fontItalic());
        QCOMPARE(formatAt(box, 1).fontPointSize(), 18.0);
        QVERIFY(!formatAt(box, 2).fontItalic()); // outside the selection

        app.dialogs->colorAnswer.reset();
        app.trigger("MDImnuselcolor");
        QCOMPARE(formatAt(box, 0).foreground().style(), Qt::NoBrush);
    }

    void underlineTogglesAndAMixedSelectionStays() {
        AppFixture app;
        app.trigger("MDImnunew");
        auto *box = app.box();
        box->setSelText(QStringLiteral("天地玄黃"));
        box->setSelection(0, 2);
        app.trigger("MDImnuunderline");
        QCOMPARE(box->selUnderline(), 1);
        app.trigger("MDImnuunderline");
        QCOMPARE(box->selUnderline(), 0);
        app.trigger("MDImnuunderline");
        QCOMPARE(box->selUnderline(), 1);

        box->setSelection(1, 2); // 地 underlined, 玄 not
        QCOMPARE(box->selUnderline(), -1);
        app.trigger("MDImnuunderline");
        QVERIFY(formatAt(box, 1).fontUnderline());
        QVERIFY(!formatAt(box, 2).fontUnderline());
    }

    void boldAndItalicToggleTheWholeDocumentWithTheirCheckMarks() {
        AppFixture app;
        app.trigger("MDImnunew");
        auto *box = app.box();
        box->setSelText(QStringLiteral("天地玄黃"));
        box->setSelection(1, 1);
        auto *bold = app.main->findChild<QAction *>(QStringLiteral("MDImnubold"));
        auto *italic = app.main->findChild<QAction *>(QStringLiteral("MDImnuitalic"));
        QVERIFY(!bold->isChecked());

        app.trigger("MDImnubold");
        QVERIFY(bold->isChecked());
        for (int k = 0; k < 4; ++k)
            QVERIFY(formatAt(box, k).fontWeight() >= QFont::Bold);

        // Only part of it bold by hand: bold off still clears the whole text.
        app.trigger("MDImnubold");
        QVERIFY(!bold->isChecked());
        for (int k = 0; k < 4; ++k)
            QVERIFY(formatAt(box, k).fontWeight() < QFont::Bold);

        app.trigger("MDImnuitalic");
        QVERIFY(italic->isChecked());
        QVERIFY(formatAt(box, 3).fontItalic());
    }

    void fontDialogOffersNoEffects() {
        // Applying a font clears underline and strikethrough, so the dialog must not offer them.
        QStringList offered;
        QTimer::singleShot(0, [&offered] {
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                for (QCheckBox *box : d->findChildren<QCheckBox *>())
                    if (box->isVisibleTo(d))
                        offered << box->text();
                d->reject();
            }
        });
        Dialogs dialogs;
        QVERIFY(!dialogs.font(nullptr, QFont()));
        QCOMPARE(offered, QStringList());
    }

    void commandsWithoutADocumentDoNothing() {
        AppFixture app;
        QGuiApplication::clipboard()->setText(QStringLiteral("keep"));
        for (const char *name : {"MDImnucut", "MDImnucopy", "MDImnucopyall", "MDImnupaste",
                                 "MDImnuchar", "MDImnuselcolor", "MDImnuunderline", "MDImnubold",
                                 "MDImnuitalic", "MDImnusave", "MDImnusaveas", "MDImnuclose"})
            app.trigger(name);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep"));
        QVERIFY(app.dialogs->messages.isEmpty());
        // Nothing was made bold or italic, so neither item is checked.
        for (const char *name : {"MDImnubold", "MDImnuitalic"})
            QVERIFY2(!app.main->findChild<QAction *>(QString::fromLatin1(name))->isChecked(), name);
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
