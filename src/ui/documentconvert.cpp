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

namespace {
// The editor lays out in pixels of 1/96 inch: 15 twips each.
constexpr double kTwipsPerPixel = 15.0;
} // namespace

QTextBlockFormat textBlockFormatOf(const doc::ParagraphFormat &p) {
    QTextBlockFormat q;
    static const Qt::Alignment alignments[] = {Qt::AlignLeft | Qt::AlignAbsolute, Qt::AlignHCenter,
                                               Qt::AlignRight | Qt::AlignAbsolute,
                                               Qt::AlignJustify};
    q.setAlignment(alignments[static_cast<int>(p.alignment)]);
    q.setLeftMargin(p.leftIndent / kTwipsPerPixel);
    q.setRightMargin(p.rightIndent / kTwipsPerPixel);
    q.setTextIndent(p.firstLineIndent / kTwipsPerPixel);
    q.setTopMargin(p.spaceBefore / kTwipsPerPixel);
    q.setBottomMargin(p.spaceAfter / kTwipsPerPixel);
    return q;
}

doc::ParagraphFormat paragraphFormatOf(const QTextBlockFormat &q) {
    doc::ParagraphFormat p;
    const Qt::Alignment a = q.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        p.alignment = doc::Alignment::Center;
    else if (a & Qt::AlignJustify)
        p.alignment = doc::Alignment::Justify;
    else if (a & Qt::AlignRight)
        p.alignment = doc::Alignment::Right;
    auto twips = [](qreal pixels) { return qRound(pixels * kTwipsPerPixel); };
    p.leftIndent = twips(q.leftMargin());
    p.rightIndent = twips(q.rightMargin());
    p.firstLineIndent = twips(q.textIndent());
    p.spaceBefore = twips(q.topMargin());
    p.spaceAfter = twips(q.bottomMargin());
    return p;
}

void fillTextDocument(QTextDocument &target, const doc::RichDocument &source) {
    target.clear();
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    for (const auto &run : source.runs())
        cursor.insertText(QString::fromStdU16String(run.text), textCharFormatOf(run.format));
    if (source.hasParagraphFormats()) {
        std::size_t k = 0;
        for (QTextBlock block = target.begin(); block.isValid(); block = block.next(), ++k) {
            const doc::ParagraphFormat &p = source.paragraphFormat(k);
            if (p == doc::ParagraphFormat{})
                continue;
            cursor.setPosition(block.position());
            cursor.setBlockFormat(textBlockFormatOf(p));
        }
    }
    cursor.endEditBlock();
}

doc::RichDocument richDocumentOf(const QTextDocument &source) {
    doc::RichDocument out;
    std::size_t paragraph = 0;
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next(), ++paragraph) {
        out.setParagraphFormat(paragraph, paragraphFormatOf(block.blockFormat()));
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
