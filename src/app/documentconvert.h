#pragma once
// Moves a formatted document between the file model (RichDocument) and the editor's
// QTextDocument. File I/O and RTF stay in docfile; this is only the mapping of formats.
#include <QFont>

#include "docfile/richdocument.h"

class QTextDocument;
class QTextCharFormat;
class QTextBlockFormat;

namespace yuedu::app {

// Replaces the document's content by the runs; empty font names and sizes take the default.
void fillTextDocument(QTextDocument &target, const doc::RichDocument &source);

doc::RichDocument richDocumentOf(const QTextDocument &source);

doc::CharFormat charFormatOf(const QTextCharFormat &format);
QTextCharFormat textCharFormatOf(const doc::CharFormat &format);
doc::ParagraphFormat paragraphFormatOf(const QTextBlockFormat &format);
QTextBlockFormat textBlockFormatOf(const doc::ParagraphFormat &format);

} // namespace yuedu::app
