#include "app/worktext.h"

#include <QClipboard>
#include <QGuiApplication>

#include "ui/richtextbox.h"

namespace yuedu::app {

void GetWorkText(ui::RichTextBox *box, QString &target) {
    target.clear();
    if (!box)
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(box->SelText());
    target = clipboard->text();
    if (target.isEmpty()) {
        box->setSelection(0, static_cast<int>(box->Text().size()));
        clipboard->setText(box->SelText());
        target = clipboard->text();
    }
    clipboard->clear();
    // The box ends paragraphs with one break; the analyses (the word list above all) expect
    // the carriage return and line feed of a text file.
    target.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace yuedu::app
