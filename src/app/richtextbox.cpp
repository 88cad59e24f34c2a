#include "app/richtextbox.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include <vector>

#include "app/documentconvert.h"
#include "app/flatlayout.h"
#include "docfile/rtfwriter.h"
#include "langdata/scriptconvert.h"

namespace yuedu::app {
namespace {

// Paragraphs run left to right unless their own format says otherwise. Left to guess, the
// editor would look up the direction of every paragraph after an edit from the paragraph's
// first characters, a search through the whole document for each keystroke.
void setLeftToRight(QTextDocument &document) {
    QTextOption option = document.defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document.setDefaultTextOption(option);
}

} // namespace

RichTextBox::RichTextBox(QWidget *parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("Rhtxtword"));
    setAcceptRichText(false);
    setFont(defaultFont());
    document()->setDefaultFont(defaultFont());
    setLeftToRight(*document());
    document()->setDocumentLayout(new FlatTextLayout(document()));
    connect(document(), &QTextDocument::modificationChanged, this,
            &RichTextBox::modificationChanged);
}

QFont RichTextBox::defaultFont() {
    QFont f;
    f.setFamilies({QStringLiteral("新細明體"), QStringLiteral("PMingLiU"),
                   QStringLiteral("AR PL UMing TW"), QStringLiteral("AR PL UMing HK")});
    f.setPointSizeF(10.5);
    return f;
}

void RichTextBox::installFontSubstitutions() {
    const QStringList installed = QFontDatabase::families();
    auto present = [&installed](const QStringList &wanted) {
        QStringList out;
        for (const QString &f : wanted)
            if (installed.contains(f, Qt::CaseInsensitive))
                out << f;
        return out;
    };
    const QStringList ming =
        present({QStringLiteral("AR PL UMing TW"), QStringLiteral("AR PL UMing HK"),
                 QStringLiteral("AR PL New Sung"), QStringLiteral("Noto Serif CJK TC"),
                 QStringLiteral("Noto Serif TC"), QStringLiteral("AR PL UMing CN")});
    // Where no face of the kind is installed, the Ming face the editor uses is still better
    // than the sans fallback of the system.
    const QStringList kai =
        present({QStringLiteral("AR PL UKai TW"), QStringLiteral("AR PL UKai HK"),
                 QStringLiteral("TW-Kai"), QStringLiteral("AR PL UKai CN")}) +
        ming;
    const QStringList sans =
        present({QStringLiteral("Noto Sans CJK TC"), QStringLiteral("Noto Sans TC"),
                 QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei"),
                 QStringLiteral("Droid Sans Fallback")}) +
        ming;
    const struct {
        const char16_t *name;
        const QStringList &faces;
    } map[] = {{u"新細明體", ming},
               {u"細明體", ming},
               {u"PMingLiU", ming},
               {u"MingLiU", ming},
               {u"新細明體-ExtB", ming},
               {u"PMingLiU-ExtB", ming},
               {u"標楷體", kai},
               {u"DFKai-SB", kai},
               {u"BiauKai", kai},
               {u"微軟正黑體", sans},
               {u"Microsoft JhengHei", sans},
               {u"Microsoft JhengHei UI", sans}};
    for (const auto &m : map)
        if (!m.faces.isEmpty())
            QFont::insertSubstitutions(QString::fromUtf16(m.name), m.faces);
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
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    setBase(base, f);
}

void RichTextBox::setBaseItalic(bool on) {
    QFont base = font();
    base.setItalic(on);
    QTextCharFormat f;
    f.setFontItalic(on);
    setBase(base, f);
}

// The box's font and the document's default become base, and the whole text takes change.
void RichTextBox::setBase(const QFont &base, const QTextCharFormat &change) {
    setFont(base);
    document()->setDefaultFont(base);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(change);
}

void RichTextBox::showDocument(const doc::RichDocument &source) {
    // Filled while no editor watches it, the document is built several times faster: a shown
    // editor lays out and reports every inserted paragraph.
    auto *fresh = new QTextDocument(this);
    fresh->setDefaultFont(document()->defaultFont());
    setLeftToRight(*fresh);
    fresh->setUndoRedoEnabled(false); // loading is not an edit to undo
    fillTextDocument(*fresh, source);
    fresh->setUndoRedoEnabled(true);
    fresh->setModified(false);
    fresh->setDocumentLayout(new FlatTextLayout(fresh));
    // The first document belongs to the editor's text control, which deletes it on the
    // switch; the ones made here belong to the box.
    QPointer<QTextDocument> old = document();
    setDocument(fresh);
    if (old && old->parent() == this)
        delete old.data();
    connect(fresh, &QTextDocument::modificationChanged, this, &RichTextBox::modificationChanged);
    setSelection(0, 0);
    emit modificationChanged(false);
}

std::size_t RichTextBox::convertToTraditional() {
    // Fragment by fragment, each keeping its format, from the end so that the positions still
    // to come stay where they are.
    struct Span {
        int position, length;
        QTextCharFormat format;
    };
    std::vector<Span> spans;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().isValid())
                spans.push_back(
                    {it.fragment().position(), it.fragment().length(), it.fragment().charFormat()});
    std::size_t changed = 0;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (auto span = spans.rbegin(); span != spans.rend(); ++span) {
        cursor.setPosition(span->position);
        cursor.setPosition(span->position + span->length, QTextCursor::KeepAnchor);
        const std::u16string text = cursor.selectedText().toStdU16String();
        ScriptConversion c = toTraditional(text);
        if (c.changed == 0)
            continue;
        changed += c.changed;
        cursor.insertText(QString::fromStdU16String(c.text), span->format);
    }
    cursor.endEditBlock();
    return changed;
}

doc::RichDocument RichTextBox::richDocument() const {
    return richDocumentOf(*document());
}

bool RichTextBox::hasFormatting() const {
    const doc::RichDocument rich = richDocument();
    if (rich.hasParagraphFormats())
        return true;
    for (const auto &run : rich.runs())
        if (!(run.format == doc::CharFormat{}))
            return true;
    return false;
}

std::string RichTextBox::rtfBytes() const {
    doc::RtfWriteOptions options;
    options.defaultFont = font().families().value(0, font().family()).toStdU16String();
    options.defaultSizeHalfPoints = qRound(font().pointSizeF() * 2);
    return doc::writeRtf(richDocument(), options);
}

bool RichTextBox::canInsertFromMimeData(const QMimeData *source) const {
    // Files dropped from a file manager are opened by the main window, not pasted as paths.
    for (const QUrl &url : source->urls())
        if (url.isLocalFile())
            return false;
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

} // namespace yuedu::app
