#pragma once
// How a command takes its text: the selection of the document, or its whole text (which is
// then selected, so that the user sees what was analysed) when nothing is selected. The
// clipboard is the user's and stays as it was.
#include <QString>

namespace yuedu::app {

class RichTextBox;

// A null box (no document window active) gives the empty string. Paragraphs end with the
// carriage return and line feed of a text file, as the analyses expect.
QString workText(app::RichTextBox *box);

} // namespace yuedu::app
