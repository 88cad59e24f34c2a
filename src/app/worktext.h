#pragma once
// How a command takes its text: the selection of the document, or its whole text when nothing
// is selected, moved through the clipboard, which is empty afterwards.
#include <QString>

namespace yuedu::ui {
class RichTextBox;
}

namespace yuedu::app {

// A null box (no document window active) gives the empty string and leaves the clipboard.
void GetWorkText(ui::RichTextBox *box, QString &target);

} // namespace yuedu::app
