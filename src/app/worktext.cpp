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
}

} // namespace yuedu::app
