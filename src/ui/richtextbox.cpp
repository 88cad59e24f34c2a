#include "ui/richtextbox.h"

#include <QFile>
#include <QMimeData>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>

#include "common/errors.h"
#include "docfile/documentreader.h"
#include "docfile/rtfwriter.h"
#include "ui/documentconvert.h"

namespace yuedu::ui {

RichTextBox::RichTextBox(QWidget *parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("Rhtxtword"));
    setAcceptRichText(false);
    setFont(defaultFont());
    document()->setDefaultFont(defaultFont());
}

QFont RichTextBox::defaultFont() {
    QFont f;
    f.setFamilies({QStringLiteral("新細明體"), QStringLiteral("PMingLiU"),
                   QStringLiteral("AR PL UMing TW"), QStringLiteral("AR PL UMing HK")});
    f.setPointSizeF(10.5);
    return f;
}

int RichTextBox::SelStart() const {
    return textCursor().selectionStart();
}

int RichTextBox::SelLength() const {
    QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void RichTextBox::setSelection(int start, int length) {
    QTextCursor c(document());
    int end = qMax(0, document()->characterCount() - 1);
    start = qBound(0, start, end);
    c.setPosition(start);
    c.setPosition(qBound(start, start + length, end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString RichTextBox::SelText() const {
    QString t = textCursor().selectedText();
    t.replace(QChar::ParagraphSeparator, u'\n');
    t.replace(QChar::LineSeparator, u'\n');
    return t;
}

void RichTextBox::setSelText(const QString &text) {
    // CR LF (and a lone CR) is one paragraph break, not two.
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(u'\r', u'\n');
    QTextCursor c = textCursor();
    c.insertText(normal);
    setTextCursor(c);
}

QString RichTextBox::Text() const {
    return toPlainText();
}

void RichTextBox::setSelFont(const QFont &font) {
    QTextCharFormat f;
    f.setFontFamilies(font.families().isEmpty() ? QStringList{font.family()} : font.families());
    f.setFontPointSize(font.pointSizeF() > 0 ? font.pointSizeF() : 10.5);
    f.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    f.setFontItalic(font.italic());
    // The font dialog offers no effects: applying a font clears them, as it always has.
    f.setFontStrikeOut(false);
    f.setFontUnderline(false);
    QTextCursor c = textCursor();
    c.mergeCharFormat(f);
    setTextCursor(c);
}

void RichTextBox::setSelColor(const QColor &color) {
    QTextCharFormat f;
    f.setForeground(color);
    QTextCursor c = textCursor();
    c.mergeCharFormat(f);
    setTextCursor(c);
}

QColor RichTextBox::selColor() const {
    return textCursor().charFormat().foreground().color();
}

int RichTextBox::selUnderline() const {
    QTextCursor c = textCursor();
    if (!c.hasSelection())
        return c.charFormat().fontUnderline() ? 1 : 0;
    const int from = c.selectionStart(), to = c.selectionEnd();
    bool any = false, all = true;
    for (QTextBlock b = document()->findBlock(from); b.isValid() && b.position() < to;
         b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            QTextFragment fr = it.fragment();
            if (fr.position() + fr.length() <= from || fr.position() >= to)
                continue;
            bool u = fr.charFormat().fontUnderline();
            any = any || u;
            all = all && u;
        }
    }
    if (all && any)
        return 1;
    return any ? -1 : 0;
}

void RichTextBox::setSelUnderline(bool on) {
    QTextCharFormat f;
    f.setFontUnderline(on);
    QTextCursor c = textCursor();
    c.mergeCharFormat(f);
    setTextCursor(c);
}

void RichTextBox::setBaseBold(bool on) {
    QFont base = font();
    base.setBold(on);
    setFont(base);
    document()->setDefaultFont(base);
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(f);
}

void RichTextBox::setBaseItalic(bool on) {
    QFont base = font();
    base.setItalic(on);
    setFont(base);
    document()->setDefaultFont(base);
    QTextCharFormat f;
    f.setFontItalic(on);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(f);
}

bool RichTextBox::loadFile(const QString &path) {
    const std::string name = path.toStdString();
    doc::LoadedDocument loaded = doc::readDocument(doc::readFileBytes(name), name);
    fillTextDocument(*document(), loaded.document);
    setSelection(0, 0);
    return !loaded.truncated;
}

void RichTextBox::saveFile(const QString &path) const {
    doc::RtfWriteOptions options;
    options.defaultFont = font().families().value(0, font().family()).toStdU16String();
    options.defaultSizeHalfPoints = qRound(font().pointSizeF() * 2);
    const std::string rtf = doc::writeRtf(richDocumentOf(*document()), options);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw IoError(path.toStdString(), file.errorString().toStdString());
    if (file.write(rtf.data(), static_cast<qint64>(rtf.size())) != static_cast<qint64>(rtf.size()))
        throw IoError(path.toStdString(), file.errorString().toStdString());
    if (!file.commit())
        throw IoError(path.toStdString(), file.errorString().toStdString());
}

bool RichTextBox::canInsertFromMimeData(const QMimeData *source) const {
    return source->hasText();
}

void RichTextBox::insertFromMimeData(const QMimeData *source) {
    if (source->hasText())
        setSelText(source->text());
}

QMimeData *RichTextBox::createMimeDataFromSelection() const {
    auto *data = new QMimeData; // ownership passes to the caller (clipboard or drag)
    data->setText(SelText());
    return data;
}

} // namespace yuedu::ui
