// Editing and formatting of the active document.
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "app/flatlayout.h"
#include "apptestsupport.h"

using namespace yuedu::app;

namespace {

QTextCharFormat formatAt(yuedu::app::RichTextBox *box, int position) {
    QTextCursor c(box->document());
    c.setPosition(position + 1);
    return c.charFormat();
}

// A document with every paragraph format the editor keeps, some larger type, an empty
// paragraph and a word wider than the line.
void fillFormatted(QTextDocument &doc) {
    doc.setDefaultFont(RichTextBox::defaultFont());
    QTextCursor c(&doc);
    const QString text =
        QStringLiteral("天地玄黃，宇宙洪荒。日月盈昃，辰宿列張。寒來暑往，秋收冬藏。"
                       "閏餘成歲，律呂調陽。雲騰致雨，露結為霜。");
    auto paragraph = [&](const QTextBlockFormat &format, const QString &body) {
        if (c.position() > 0)
            c.insertBlock();
        c.setBlockFormat(format);
        c.insertText(body);
    };
    QTextBlockFormat f;
    paragraph(f, text);
    f.setAlignment(Qt::AlignHCenter);
    f.setTopMargin(10);
    f.setBottomMargin(6);
    paragraph(f, text.left(12));
    f = {};
    f.setAlignment(Qt::AlignRight);
    f.setLeftMargin(30);
    f.setRightMargin(20);
    f.setTextIndent(24);
    paragraph(f, text + text);
    f = {};
    f.setAlignment(Qt::AlignJustify);
    f.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    paragraph(f, text + QStringLiteral(" Latin words wrap at their spaces ") + text);
    f = {};
    f.setLineHeight(30, QTextBlockFormat::FixedHeight);
    f.setTopMargin(4);
    paragraph(f, text);
    QTextCharFormat big;
    big.setFontPointSize(20);
    c.insertText(QStringLiteral("大字"), big);
    c.insertText(text, QTextCharFormat());
    f = {};
    f.setLineHeight(25, QTextBlockFormat::MinimumHeight);
    f.setBottomMargin(12);
    paragraph(f, QString());
    paragraph(QTextBlockFormat(), QString(120, u'x') + text);
}

// Our layout places every line where Qt's own layout does, and hit tests the same.
void expectSameLayout(QTextDocument &ours, QTextDocument &qts) {
    QCOMPARE(ours.pageCount(), qts.pageCount());
    QCOMPARE(ours.documentLayout()->documentSize(), qts.documentLayout()->documentSize());
    QCOMPARE(ours.blockCount(), qts.blockCount());
    for (QTextBlock a = ours.begin(), b = qts.begin(); a.isValid(); a = a.next(), b = b.next()) {
        QCOMPARE(ours.documentLayout()->blockBoundingRect(a),
                 qts.documentLayout()->blockBoundingRect(b));
        QCOMPARE(a.layout()->lineCount(), b.layout()->lineCount());
        for (int i = 0; i < a.layout()->lineCount(); ++i) {
            QCOMPARE(a.layout()->lineAt(i).textStart(), b.layout()->lineAt(i).textStart());
            QCOMPARE(a.layout()->lineAt(i).naturalTextRect(),
                     b.layout()->lineAt(i).naturalTextRect());
        }
    }
    const qreal height = qts.documentLayout()->documentSize().height();
    for (qreal y = -3; y < height + 6; y += qMax(3.0, height / 500))
        for (qreal x : {-4.0, 3.0, 41.0, 150.5, 298.0, 420.0}) {
            const QPointF p(x, y);
            QCOMPARE(ours.documentLayout()->hitTest(p, Qt::FuzzyHit),
                     qts.documentLayout()->hitTest(p, Qt::FuzzyHit));
            QCOMPARE(ours.documentLayout()->hitTest(p, Qt::ExactHit),
                     qts.documentLayout()->hitTest(p, Qt::ExactHit));
        }
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

    void editorLayoutMatchesQtsBeforeAndAfterEdits() {
        QTextDocument ours, qts;
        fillFormatted(ours);
        fillFormatted(qts);
        ours.setDocumentLayout(new FlatTextLayout(&ours));
        for (QTextDocument *d : {&ours, &qts})
            d->setPageSize(QSizeF(300, -1));
        expectSameLayout(ours, qts);

        // The same edits on both: many paragraphs more, typing, a new paragraph, a deletion across
        // a paragraph break, a changed paragraph format, a narrower page, and undoing them all.
        const std::function<void(QTextCursor &)> edits[] = {
            [](QTextCursor &c) {
                c.movePosition(QTextCursor::End);
                for (int i = 0; i < 1200; ++i) // more blocks than one chunk of the sums holds
                    c.insertText(i % 3 ? QStringLiteral("\n天地") : QStringLiteral("\n宇宙洪荒"));
            },
            [](QTextCursor &c) {
                c.setPosition(70);
                c.insertText(QStringLiteral("一二三四五六七八九十"));
            },
            [](QTextCursor &c) {
                c.setPosition(20);
                c.insertBlock();
            },
            [](QTextCursor &c) {
                c.setPosition(90);
                c.setPosition(150, QTextCursor::KeepAnchor);
                c.removeSelectedText();
            },
            [](QTextCursor &c) {
                c.setPosition(5);
                QTextBlockFormat f;
                f.setAlignment(Qt::AlignHCenter);
                f.setBottomMargin(20);
                c.setBlockFormat(f);
            },
            [](QTextCursor &c) { c.document()->setPageSize(QSizeF(220, -1)); },
            [](QTextCursor &c) {
                while (c.document()->isUndoAvailable())
                    c.document()->undo();
            },
        };
        for (const auto &edit : edits) {
            for (QTextDocument *d : {&ours, &qts}) {
                QTextCursor c(d);
                edit(c);
            }
            expectSameLayout(ours, qts);
        }
    }

    void aBlockChangedBelowTheLaidOutPartKeepsNoLinesOfItsOldText() {
        QTextDocument doc;
        QTextCursor c(&doc);
        for (int i = 0; i < 50; ++i)
            c.insertText(QString(150, u'天') + u'\n');
        doc.setDocumentLayout(new FlatTextLayout(&doc));
        doc.setPageSize(QSizeF(200, -1));
        doc.documentLayout()->blockBoundingRect(doc.findBlockByNumber(40)); // laid out to 40
        doc.setPageSize(QSizeF(300, -1)); // to be laid out again from the top
        // Most of a block not laid out again yet is deleted.
        const QTextBlock block = doc.findBlockByNumber(35);
        c.setPosition(block.position() + 5);
        c.setPosition(block.position() + 145, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            QVERIFY(line.textStart() + line.textLength() <= block.length());
        }
        c.setPosition(block.position() + 8); // places the cursor's x on the block's lines
        QVERIFY(c.movePosition(QTextCursor::Down));
        QCOMPARE(c.block().blockNumber(), 36);
    }

    void editorDrawsScrollsAndPlacesTheCaretAsQtsEditDoes() {
        RichTextBox box;
        QTextEdit qts;
        const QList<QTextEdit *> both = {&box, &qts};
        for (QTextEdit *e : both) {
            fillFormatted(*e->document());
            e->resize(320, 200);
            e->show();
        }
        QVERIFY(qobject_cast<FlatTextLayout *>(box.document()->documentLayout()));
        auto same = [&] {
            QApplication::processEvents();
            QCOMPARE(box.textCursor().position(), qts.textCursor().position());
            QCOMPARE(box.cursorRect(), qts.cursorRect());
            QCOMPARE(box.verticalScrollBar()->value(), qts.verticalScrollBar()->value());
            QCOMPARE(box.cursorForPosition(QPoint(100, 50)).position(),
                     qts.cursorForPosition(QPoint(100, 50)).position());
            QVERIFY(box.grab().toImage() == qts.grab().toImage());
        };
        for (int position : {40, 300, 5}) {
            for (QTextEdit *e : both) {
                QTextCursor c(e->document());
                c.setPosition(position);
                e->setTextCursor(c);
                e->ensureCursorVisible();
            }
            same();
        }
        // Text being composed in an input method, then a page down selecting.
        for (QTextEdit *e : both) {
            QInputMethodEvent compose(QString(30, u'中'), {});
            QCoreApplication::sendEvent(e, &compose);
        }
        same();
        QCOMPARE(box.inputMethodQuery(Qt::ImCursorRectangle),
                 qts.inputMethodQuery(Qt::ImCursorRectangle));
        for (QTextEdit *e : both)
            QTest::keyClick(e, Qt::Key_PageDown, Qt::ShiftModifier);
        same();
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
