#include "app/worktext.h"

#include "app/richtextbox.h"

namespace yuedu::app {

QString workText(app::RichTextBox *box) {
    if (!box)
        return {};
    QString text = box->SelText();
    if (text.isEmpty()) {
        box->setSelection(0, static_cast<int>(box->Text().size()));
        text = box->SelText();
    }
    // The box ends paragraphs with one break; the analyses (the word list above all) expect
    // the carriage return and line feed of a text file.
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

} // namespace yuedu::app
