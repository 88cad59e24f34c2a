#include "app/documentconvert.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace yuedu::app {

namespace {
// What the font table said of a run's font, kept for writing the file again.
constexpr int kFontFamilyProperty = QTextFormat::UserProperty + 1;
constexpr int kFontCharsetProperty = QTextFormat::UserProperty + 2;
} // namespace

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
    if (f.highlight)
        q.setBackground(QColor::fromRgb(static_cast<QRgb>(*f.highlight)));
    if (f.position == doc::VerticalPosition::Subscript)
        q.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    else if (f.position == doc::VerticalPosition::Superscript)
        q.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (f.fontFamily != doc::FontFamily::Nil)
        q.setProperty(kFontFamilyProperty, static_cast<int>(f.fontFamily));
    if (f.fontFamily == doc::FontFamily::Roman)
        q.setFontStyleHint(QFont::Serif);
    else if (f.fontFamily == doc::FontFamily::Swiss)
        q.setFontStyleHint(QFont::SansSerif);
    else if (f.fontFamily == doc::FontFamily::Modern)
        q.setFontStyleHint(QFont::TypeWriter);
    else if (f.fontFamily == doc::FontFamily::Script)
        q.setFontStyleHint(QFont::Cursive);
    else if (f.fontFamily == doc::FontFamily::Decor)
        q.setFontStyleHint(QFont::Decorative);
    if (f.fontCharset >= 0)
        q.setProperty(kFontCharsetProperty, f.fontCharset);
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
    if (q.background().style() != Qt::NoBrush)
        f.highlight = q.background().color().rgb() & 0xFFFFFFu;
    if (q.verticalAlignment() == QTextCharFormat::AlignSubScript)
        f.position = doc::VerticalPosition::Subscript;
    else if (q.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        f.position = doc::VerticalPosition::Superscript;
    if (q.hasProperty(kFontFamilyProperty))
        f.fontFamily = static_cast<doc::FontFamily>(q.intProperty(kFontFamilyProperty));
    if (q.hasProperty(kFontCharsetProperty))
        f.fontCharset = q.intProperty(kFontCharsetProperty);
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
    if (p.lineSpacing > 0 && p.lineMultiple)
        q.setLineHeight(p.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (p.lineSpacing > 0)
        q.setLineHeight(p.lineSpacing / kTwipsPerPixel, QTextBlockFormat::MinimumHeight);
    else if (p.lineSpacing < 0)
        q.setLineHeight(-p.lineSpacing / kTwipsPerPixel, QTextBlockFormat::FixedHeight);
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
    switch (q.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (qRound(q.lineHeight()) != 100) {
            p.lineSpacing = qRound(q.lineHeight() * 240.0 / 100.0);
            p.lineMultiple = true;
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        p.lineSpacing = twips(q.lineHeight());
        break;
    case QTextBlockFormat::FixedHeight:
        p.lineSpacing = -twips(q.lineHeight());
        break;
    default:
        break;
    }
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

} // namespace yuedu::app
