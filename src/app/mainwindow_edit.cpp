// The 編輯 and 格式 menus: clipboard commands and formatting of the active document.
#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextCursor>
#include <QTextDocument>

#include "app/mainwindow.h"
#include "common/errors.h"
#include "ui/richtextbox.h"

namespace yuedu::app {

void MainWindow::undoText() {
    if (ui::RichTextBox *box = activeTextBox())
        box->undo();
}

void MainWindow::redoText() {
    if (ui::RichTextBox *box = activeTextBox())
        box->redo();
}

void MainWindow::cutText() {
    ui::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    QGuiApplication::clipboard()->setText(box->SelText());
    if (box->SelLength() > 0)
        box->setSelText(QString());
}

void MainWindow::copyText() {
    if (ui::RichTextBox *box = activeTextBox())
        QGuiApplication::clipboard()->setText(box->SelText());
}

void MainWindow::copyAll() {
    ui::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    box->setSelection(0, static_cast<int>(box->Text().size()));
    QGuiApplication::clipboard()->setText(box->SelText());
}

void MainWindow::pasteText() {
    if (ui::RichTextBox *box = activeTextBox())
        box->setSelText(QGuiApplication::clipboard()->text());
}

void MainWindow::convertToTraditional() {
    ui::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    try {
        box->convertToTraditional();
    } catch (const Error &e) {
        QMessageBox::warning(this, QStringLiteral("轉為繁體"),
                             QStringLiteral("無法轉換：") + QString::fromUtf8(e.what()));
        return;
    }
    updateEncodingLine();
}

void MainWindow::chooseFont() {
    ui::RichTextBox *box = activeTextBox();
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
    ui::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    std::optional<QColor> color = m_dialogs->color(this, m_lastColor);
    if (!color)
        return;
    m_lastColor = *color;
    box->setSelColor(*color);
}

void MainWindow::toggleUnderline() {
    ui::RichTextBox *box = activeTextBox();
    if (!box)
        return;
    const int state = box->selUnderline();
    if (state >= 0) // a partly underlined selection has no single state to toggle
        box->setSelUnderline(state == 0);
}

// The check marks of 粗體 and 斜體 show the state their last use set. A checkable item flips
// its own mark when chosen, so without a document to change the mark is put back.
void MainWindow::toggleBold() {
    ui::RichTextBox *box = activeTextBox();
    if (box) {
        m_boldMark = !box->baseBold();
        box->setBaseBold(m_boldMark);
    }
    m_boldAction->setChecked(m_boldMark);
}

void MainWindow::toggleItalic() {
    ui::RichTextBox *box = activeTextBox();
    if (box) {
        m_italicMark = !box->baseItalic();
        box->setBaseItalic(m_italicMark);
    }
    m_italicAction->setChecked(m_italicMark);
}

} // namespace yuedu::app
