#include "ui/documentconvert.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace yuedu::ui {

QTextCharFormat textCharFormatOf(const doc::CharFormat &f) {
    QTextCharFormat q;
    if (!f.fontName.empty())
        q.setFontFamilies({QString::fromStdU16String(f.fontName)});
    if (f.sizeHalfPoints > 0)
        q.setFontPointSize(f.sizeHalfPoints / 2.0);
    q.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    q.setFontItalic(f.italic);
    q.setFontUnderline(f.underline);
    q.setFontStrikeOut(f.strikeThrough);
    if (f.color)
        q.setForeground(QColor::fromRgb(static_cast<QRgb>(*f.color)));
    return q;
}

doc::CharFormat charFormatOf(const QTextCharFormat &q) {
    doc::CharFormat f;
    QStringList families = q.fontFamilies().toStringList();
    if (!families.isEmpty())
        f.fontName = families.front().toStdU16String();
    if (q.hasProperty(QTextFormat::FontPointSize))
        f.sizeHalfPoints = qRound(q.fontPointSize() * 2);
    f.bold = q.fontWeight() >= QFont::DemiBold;
    f.italic = q.fontItalic();
    f.underline = q.fontUnderline();
    f.strikeThrough = q.fontStrikeOut();
    if (q.foreground().style() != Qt::NoBrush)
        f.color = q.foreground().color().rgb() & 0xFFFFFFu;
    return f;
}

void fillTextDocument(QTextDocument &target, const doc::RichDocument &source) {
    target.clear();
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    for (const auto &run : source.runs())
        cursor.insertText(QString::fromStdU16String(run.text), textCharFormatOf(run.format));
    cursor.endEditBlock();
}

doc::RichDocument richDocumentOf(const QTextDocument &source) {
    doc::RichDocument out;
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        doc::CharFormat last = charFormatOf(block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            last = charFormatOf(fragment.charFormat());
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, u'\n');
            out.append(text.toStdU16String(), last);
        }
        if (block.next().isValid())
            out.append(u"\n", last);
    }
    return out;
}

} // namespace yuedu::ui
