// The 編輯 and 格式 menus: clipboard commands and formatting of the active document.
#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/documentwindow.h"
#include "app/mainwindow.h"
#include "app/richtextbox.h"
#include "common/errors.h"
#include "langdata/scriptconvert.h"

namespace yuedu::app {

void MainWindow::undoText() {
    if (app::RichTextBox *box = activeTextBox())
        box->undo();
}

void MainWindow::redoText() {
    if (app::RichTextBox *box = activeTextBox())
        box->redo();
}

// The clipboard is the user's: with nothing selected, copy and cut leave it as it was.
void MainWindow::cutText() {
    app::RichTextBox *box = activeTextBox();
    if (box && box->SelLength() > 0)
        box->cut();
}

void MainWindow::copyText() {
    app::RichTextBox *box = activeTextBox();
    if (box && box->SelLength() > 0)
        box->copy();
}

void MainWindow::selectAll() {
    if (app::RichTextBox *box = activeTextBox())
        box->selectAll();
}

void MainWindow::pasteText() {
    if (app::RichTextBox *box = activeTextBox())
        box->paste();
}

void MainWindow::convertToTraditional() {
    app::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    try {
        const std::size_t changed = box->convertToTraditional();
        if (DocumentWindow *w = activeDocument())
            w->noteConverted(changed, hanziOutsideBig5(box->toPlainText().toStdU16String()));
    } catch (const Error &e) {
        QMessageBox::warning(this, QStringLiteral("轉為繁體"),
                             QStringLiteral("無法轉換：") + QString::fromUtf8(e.what()));
        return;
    }
    updateEncodingLine();
}

void MainWindow::chooseFont() {
    app::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    // The dialog starts at the font of the text at the caret (the start of the selection), so
    // that 確定 without a choice leaves that text as it is.
    QTextCursor at = box->textCursor();
    at.setPosition(at.selectionStart());
    if (!at.atBlockEnd() || at.atBlockStart())
        at.movePosition(QTextCursor::NextCharacter); // the format of the first selected one
    const QFont current = at.charFormat().font().resolve(box->document()->defaultFont());
    // The dialog lists installed families only: it is given the face that really shows (新細明體
    // shows as a Ming face here), and choosing that face keeps the name the text had.
    QFont shown = current;
    const QString face = QFontInfo(current).family();
    shown.setFamilies({face});
    std::optional<QFont> font = m_dialogs->font(this, shown);
    if (!font)
        return; // a cancelled dialog leaves the selection as it was
    if (font->family() == face)
        font->setFamilies(current.families().isEmpty() ? QStringList{current.family()}
                                                       : current.families());
    m_lastFont = *font;
    box->setSelFont(*font);
}

void MainWindow::chooseColor() {
    app::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    std::optional<QColor> color = m_dialogs->color(this, m_lastColor);
    if (!color)
        return;
    m_lastColor = *color;
    box->setSelColor(*color);
}

void MainWindow::toggleUnderline() {
    app::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    const int state = box->selUnderline();
    if (state >= 0) // a partly underlined selection has no single state to toggle
        box->setSelUnderline(state == 0);
}

// The check marks of 粗體 and 斜體 show the state their last use set. A checkable item flips
// its own mark when chosen, so without a document to change the mark is put back.
void MainWindow::toggleBold() {
    app::RichTextBox *box = activeTextBox();
    if (box) {
        m_boldMark = !box->baseBold();
        box->setBaseBold(m_boldMark);
    }
    m_boldAction->setChecked(m_boldMark);
}

void MainWindow::toggleItalic() {
    app::RichTextBox *box = activeTextBox();
    if (box) {
        m_italicMark = !box->baseItalic();
        box->setBaseItalic(m_italicMark);
    }
    m_italicAction->setChecked(m_italicMark);
}

namespace {

// Applies a change to the block format of every paragraph the selection touches, as one step
// to undo.
template <typename Change> void changeParagraphs(app::RichTextBox *box, Change change) {
    QTextCursor c = box->textCursor();
    QTextDocument *document = box->document();
    QTextBlock block = document->findBlock(c.selectionStart());
    const QTextBlock last = document->findBlock(c.selectionEnd());
    c.beginEditBlock();
    for (;; block = block.next()) {
        QTextCursor at(block);
        QTextBlockFormat format = block.blockFormat();
        change(format);
        at.setBlockFormat(format);
        if (block == last || !block.isValid())
            break;
    }
    c.endEditBlock();
}

// One step of indentation: two characters of the default 10.5 point font, in the editor's
// pixels of 1/96 inch (420 twips in a file).
constexpr double kIndentStep = 28.0;

} // namespace

void MainWindow::alignParagraphs(Qt::Alignment alignment) {
    if (app::RichTextBox *box = activeTextBox())
        changeParagraphs(box, [alignment](QTextBlockFormat &f) {
            f.setAlignment(alignment | Qt::AlignAbsolute); // left stays left in any direction
        });
}

void MainWindow::indentParagraphs(int steps) {
    if (app::RichTextBox *box = activeTextBox())
        changeParagraphs(box, [steps](QTextBlockFormat &f) {
            f.setLeftMargin(qMax(0.0, f.leftMargin() + steps * kIndentStep));
        });
}

void MainWindow::toggleFirstLineIndent() {
    app::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    // The paragraph at the caret decides: indented ones lose the indent, others get it.
    const bool indented = box->textCursor().blockFormat().textIndent() > 0;
    changeParagraphs(
        box, [indented](QTextBlockFormat &f) { f.setTextIndent(indented ? 0.0 : kIndentStep); });
}

void MainWindow::setLineSpacing(int percent) {
    if (app::RichTextBox *box = activeTextBox())
        changeParagraphs(box, [percent](QTextBlockFormat &f) {
            if (percent == 100) {
                f.clearProperty(QTextFormat::LineHeight);
                f.clearProperty(QTextFormat::LineHeightType);
            } else {
                f.setLineHeight(percent, QTextBlockFormat::ProportionalHeight);
            }
        });
}

} // namespace yuedu::app
