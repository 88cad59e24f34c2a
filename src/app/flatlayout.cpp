#include "app/flatlayout.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTimerEvent>
#include <algorithm>
#include <climits>
#include <cmath>

namespace yuedu::app {
namespace {

constexpr int kChunk = 512;
constexpr int kDefaultDpi = 96;

// Qt's layout keeps lengths in 1/64 pixel and truncates when it converts.
std::int64_t toFixed(qreal value) {
    return static_cast<std::int64_t>(value * 64.0);
}
qreal toReal(std::int64_t value) {
    return static_cast<qreal>(value) / 64.0;
}

Qt::Alignment visualAlignment(Qt::LayoutDirection direction, Qt::Alignment alignment) {
    if (!(alignment & Qt::AlignHorizontal_Mask))
        alignment |= Qt::AlignLeft;
    if (!(alignment & Qt::AlignAbsolute) && (alignment & (Qt::AlignLeft | Qt::AlignRight))) {
        if (direction == Qt::RightToLeft)
            alignment ^= (Qt::AlignLeft | Qt::AlignRight);
        alignment |= Qt::AlignAbsolute;
    }
    return alignment;
}

} // namespace

FlatTextLayout::FlatTextLayout(QTextDocument *document) : QAbstractTextDocumentLayout(document) {}

qreal FlatTextLayout::scale() const {
    QPaintDevice *device = paintDevice();
    return device && device->logicalDpiY() != kDefaultDpi
               ? static_cast<qreal>(device->logicalDpiY()) / kDefaultDpi
               : 1.0;
}

FlatTextLayout::Fixed FlatTextLayout::marginBetween(const QTextBlockFormat &previous,
                                                    const QTextBlockFormat &format) const {
    qreal margin = qMax(format.topMargin(), previous.bottomMargin());
    if (margin > 0 && paintDevice())
        margin *= static_cast<qreal>(paintDevice()->logicalDpiY()) / kDefaultDpi;
    return toFixed(margin);
}

FlatTextLayout::Fixed FlatTextLayout::estimate(const QTextBlock &block,
                                               const QTextBlockFormat &format) const {
    if (!block.isVisible())
        return 0;
    const qreal width =
        qMax<qreal>(1, toReal(m_contentWidth) - format.leftMargin() - format.rightMargin());
    const qreal lines = std::ceil(block.length() * m_estimateChar / width);
    return static_cast<Fixed>(qMax<qreal>(1, lines)) * m_estimateLine;
}

void FlatTextLayout::setEntry(int block, Fixed margin, Fixed height) const {
    const Fixed change = margin + height - m_advance[block];
    m_advance[block] = margin + height;
    m_margin[block] = margin;
    m_chunkSum[block / kChunk] += change;
    m_total += change;
}

void FlatTextLayout::rebuildChunks(int fromBlock) const {
    const int count = static_cast<int>(m_advance.size());
    m_chunkSum.resize((count + kChunk - 1) / kChunk);
    for (int c = fromBlock / kChunk; c < static_cast<int>(m_chunkSum.size()); ++c) {
        Fixed sum = 0;
        for (int i = c * kChunk, end = qMin(count, (c + 1) * kChunk); i < end; ++i)
            sum += m_advance[i];
        m_chunkSum[c] = sum;
    }
    m_total = 0;
    for (Fixed s : m_chunkSum)
        m_total += s;
}

FlatTextLayout::Fixed FlatTextLayout::blockStart(int block) const {
    Fixed y = m_topMargin;
    const int chunk = block / kChunk;
    for (int c = 0; c < chunk; ++c)
        y += m_chunkSum[c];
    for (int i = chunk * kChunk; i < block; ++i)
        y += m_advance[i];
    return y;
}

int FlatTextLayout::blockAtY(Fixed y) const {
    const int count = static_cast<int>(m_advance.size());
    if (count == 0)
        return 0;
    Fixed top = m_topMargin;
    int c = 0;
    while (c + 1 < static_cast<int>(m_chunkSum.size()) && top + m_chunkSum[c] <= y)
        top += m_chunkSum[c++];
    int i = c * kChunk;
    while (i + 1 < count && top + m_advance[i] <= y)
        top += m_advance[i++];
    return i;
}

void FlatTextLayout::reset() {
    QTextDocument *doc = document();
    m_pageWidth = doc->pageSize().width();
    const qreal s = scale();
    const QTextFrameFormat root = doc->rootFrame()->frameFormat();
    const Fixed border = toFixed(std::round(root.border() * s));
    const Fixed padding = toFixed(std::round(root.padding() * s));
    m_topMargin = toFixed(std::round(root.topMargin() * s)) + border + padding;
    m_bottomMargin = toFixed(std::round(root.bottomMargin() * s)) + border + padding;
    m_leftMargin = toFixed(std::round(root.leftMargin() * s)) + border + padding;
    m_rightMargin = toFixed(std::round(root.rightMargin() * s)) + border + padding;
    m_contentWidth = toFixed(m_pageWidth) - m_leftMargin - m_rightMargin;

    const QFontMetricsF metrics(doc->defaultFont());
    m_estimateLine = toFixed(std::ceil(metrics.ascent() + metrics.descent() + metrics.leading()));
    m_estimateChar = metrics.horizontalAdvance(QChar(0x4E2D));

    // Every block is laid out again from the top. When the blocks are the same ones (the
    // width changed, say), their present heights are the better estimate until then.
    m_laidOut = 0;
    const int count = doc->blockCount();
    if (count == static_cast<int>(m_advance.size()))
        return;
    m_advance.assign(count, 0);
    m_margin.assign(count, 0);
    QTextBlockFormat previous;
    int i = 0;
    for (QTextBlock b = doc->begin(); b.isValid() && i < count; b = b.next(), ++i) {
        const QTextBlockFormat format = b.blockFormat();
        const Fixed margin = i > 0 && b.isVisible() ? marginBetween(previous, format) : 0;
        m_margin[i] = margin;
        m_advance[i] = margin + estimate(b, format);
        previous = format;
    }
    rebuildChunks(0);
}

FlatTextLayout::Fixed FlatTextLayout::layOutBlock(const QTextBlock &block,
                                                  const QTextBlockFormat &format, Fixed y) const {
    QTextLayout *layout = block.layout();
    QTextDocument *doc = document();
    const Qt::LayoutDirection direction = block.textDirection();
    const QTextOption defaults = doc->defaultTextOption();

    Fixed extraMargin = 0;
    if (defaults.flags() & QTextOption::AddSpaceForLineAndParagraphSeparators)
        extraMargin =
            toFixed(QFontMetricsF(block.charFormat().font()).horizontalAdvance(QChar(0x21B5)));
    qreal indentSteps = format.indent();
    if (auto *list = qobject_cast<QTextList *>(doc->objectForFormat(format)))
        indentSteps += list->format().indent();
    const Fixed indent =
        qFuzzyIsNull(indentSteps) ? 0 : toFixed(indentSteps * scale() * doc->indentWidth());
    const bool rtl = direction == Qt::RightToLeft;
    const Fixed leftMargin = toFixed(format.leftMargin()) + (rtl ? extraMargin : indent);
    const Fixed rightMargin = toFixed(format.rightMargin()) + (rtl ? indent : extraMargin);

    layout->setPosition(QPointF(toReal(m_leftMargin), toReal(y)));

    QTextOption option = defaults;
    option.setTextDirection(direction);
    option.setTabs(format.tabPositions());
    Qt::Alignment align = defaults.alignment();
    if (format.hasProperty(QTextFormat::BlockAlignment))
        align = format.alignment();
    option.setAlignment(visualAlignment(direction, align));
    if (format.nonBreakableLines() || m_pageWidth < 0)
        option.setWrapMode(QTextOption::ManualWrap);
    layout->setTextOption(option);
    const bool wordOrAnywhere = option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere;

    const Fixed left0 = m_leftMargin + leftMargin;
    const Fixed right0 = m_leftMargin + m_contentWidth - rightMargin;
    const qreal lineScale = scale();
    const Fixed top = y;
    Fixed bottom = 0;
    bool firstLine = true;
    layout->beginLayout();
    for (;;) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        line.setLeadingIncluded(true);
        Fixed left = left0, right = right0;
        if (firstLine) {
            const Fixed textIndent = toFixed(format.textIndent());
            if (rtl)
                right -= textIndent;
            else
                left += textIndent;
            firstLine = false;
        }
        line.setLineWidth(toReal(right - left));
        if (toFixed(line.naturalTextWidth()) > right - left) {
            // A word wider than the line: Qt's layout breaks it anywhere, and from then on
            // wraps at words only.
            line.setLineWidth(toReal(right - left));
            if (toFixed(line.naturalTextWidth()) > right - left) {
                if (wordOrAnywhere) {
                    option.setWrapMode(QTextOption::WrapAnywhere);
                    layout->setTextOption(option);
                }
                line.setLineWidth(qMax<qreal>(line.naturalTextWidth(), toReal(right - left)));
                if (wordOrAnywhere) {
                    option.setWrapMode(QTextOption::WordWrap);
                    layout->setTextOption(option);
                }
            }
        }

        const qreal rawHeight = std::ceil(line.ascent() + line.descent() + line.leading());
        const Fixed lineHeight = toFixed(format.lineHeight(rawHeight, lineScale));
        const Fixed lineBottom = toFixed(format.lineHeight(line.height(), lineScale));
        Fixed adjustment = 0;
        if (format.lineHeightType() == QTextBlockFormat::FixedHeight)
            adjustment =
                toFixed(line.ascent() + qMax(line.leading(), qreal(0))) - (lineHeight * 4) / 5;
        else if (format.lineHeightType() == QTextBlockFormat::MinimumHeight)
            adjustment = toFixed(line.height()) - lineHeight;

        line.setPosition(QPointF(toReal(left - m_leftMargin), toReal(y - top - adjustment)));
        bottom = y + lineBottom;
        y += lineHeight;
    }
    y = qMax(y, bottom);
    layout->endLayout();
    return y - top;
}

void FlatTextLayout::layOutUpTo(int last, Fixed y) const {
    const int count = static_cast<int>(m_advance.size());
    if (m_laidOut >= count)
        return;
    QTextDocument *doc = document();
    QTextBlock block = doc->findBlockByNumber(m_laidOut);
    QTextBlockFormat previous = block.previous().blockFormat();
    Fixed start = blockStart(m_laidOut);
    while (m_laidOut < count && block.isValid() && (m_laidOut <= last || start <= y)) {
        const QTextBlockFormat format = block.blockFormat();
        Fixed margin = 0, height = 0;
        if (block.isVisible()) {
            margin = m_laidOut > 0 ? marginBetween(previous, format) : 0;
            height = layOutBlock(block, format, start + margin);
        }
        setEntry(m_laidOut, margin, height);
        start += margin + height;
        previous = format;
        block = block.next();
        ++m_laidOut;
    }
}

QPointF FlatTextLayout::place(const QTextBlock &block) const {
    const int n = block.blockNumber();
    const QPointF at(toReal(m_leftMargin), toReal(blockStart(n) + m_margin[n]));
    block.layout()->setPosition(at);
    return at;
}

void FlatTextLayout::documentChanged(int from, int oldLength, int length) {
    QTextDocument *doc = document();
    // The lines of a changed block are gone: a cursor moving through it before it is laid out
    // again must not find the lines of its old text.
    QTextBlock end = doc->findBlock(qMax(0, from + length - 1));
    if (end.isValid())
        end = end.next();
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b != end; b = b.next())
        b.clearLayout();
    if (doc->pageSize().isNull()) {
        // Nothing is shown: placed again in full once the document has a width.
        m_advance.clear();
        m_margin.clear();
        m_chunkSum.clear();
        m_total = 0;
        m_laidOut = 0;
        m_idle.stop();
        return;
    }
    const int count = doc->blockCount();
    const int oldCount = static_cast<int>(m_advance.size());
    const int docLength = doc->characterCount();
    const QSizeF oldSize = documentSize();
    if ((oldLength == 0 && length == docLength) || oldCount == 0 ||
        doc->pageSize().width() != m_pageWidth) {
        reset();
        m_idle.start(10, this);
        layOutUpTo(-1, m_topMargin); // the first paragraph at least, as Qt's layout does
        reportSize();
        emit update(QRectF(0, 0, INT_MAX, INT_MAX));
        return;
    }

    const QTextBlock firstBlock = doc->findBlock(from);
    QTextBlock lastBlock = doc->findBlock(qMin(from + length, docLength - 1));
    if (!lastBlock.isValid())
        lastBlock = doc->lastBlock();
    const int first = firstBlock.isValid() ? firstBlock.blockNumber() : 0;
    const int last = qMax(first, lastBlock.blockNumber());
    const int oldLast = last - (count - oldCount);
    if (oldLast < first - 1 || oldLast >= oldCount) {
        // Not an edit these numbers can follow: start over.
        reset();
        m_idle.start(10, this);
        reportSize();
        emit update(QRectF(0, 0, INT_MAX, INT_MAX));
        return;
    }
    const Fixed oldTotal = m_total;
    const Fixed top = blockStart(first);
    spliceBlocks(first, oldLast, last);

    if (first < m_laidOut && oldLast < m_laidOut) {
        // Inside the laid-out part: lay out the changed blocks now, and take the margin
        // above the next one again (the last one's format may have changed).
        m_laidOut += count - oldCount;
        QTextBlock block = firstBlock;
        QTextBlockFormat previous = block.previous().blockFormat();
        Fixed start = top;
        for (int i = first; i <= last + 1 && i < count && block.isValid(); ++i) {
            const QTextBlockFormat format = block.blockFormat();
            Fixed margin = 0, height = 0;
            if (block.isVisible()) {
                margin = i > 0 ? marginBetween(previous, format) : 0;
                height = i <= last ? layOutBlock(block, format, start + margin)
                                   : m_advance[i] - m_margin[i];
            }
            setEntry(i, margin, height);
            start += margin + height;
            previous = format;
            block = block.next();
        }
        if (last + 1 >= m_laidOut && m_laidOut < count)
            m_idle.start(10, this);
    } else {
        m_laidOut = qMin(m_laidOut, first);
        m_idle.start(10, this);
    }

    // Repaint from the first changed block down: to its end when nothing moved.
    QRectF changed(0, toReal(top), INT_MAX, INT_MAX);
    if (m_total == oldTotal && count == oldCount && last + 1 < count)
        changed.setBottom(toReal(blockStart(last + 1)));
    if (documentSize() != oldSize)
        reportSize();
    emit update(changed);
}

void FlatTextLayout::spliceBlocks(int first, int oldLast, int newLast) {
    const int oldCount = oldLast - first + 1;
    const int newCount = newLast - first + 1;
    QTextBlock block = document()->findBlockByNumber(first);
    std::vector<Fixed> margins, advances;
    QTextBlockFormat previous = block.previous().blockFormat();
    for (int i = 0; i < newCount && block.isValid(); ++i, block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        const Fixed margin =
            first + i > 0 && block.isVisible() ? marginBetween(previous, format) : 0;
        margins.push_back(margin);
        advances.push_back(margin + estimate(block, format));
        previous = format;
    }
    advances.resize(newCount, 0);
    margins.resize(newCount, 0);
    if (oldCount == newCount) {
        for (int i = 0; i < newCount; ++i)
            setEntry(first + i, margins[i], advances[i] - margins[i]);
        return;
    }
    auto replace = [&](std::vector<Fixed> &values, const std::vector<Fixed> &with) {
        values.erase(values.begin() + first, values.begin() + first + oldCount);
        values.insert(values.begin() + first, with.begin(), with.end());
    };
    replace(m_advance, advances);
    replace(m_margin, margins);
    rebuildChunks(first);
}

void FlatTextLayout::reportSize() {
    const QSizeF size = documentSize();
    if (size != m_reportedSize) {
        m_reportedSize = size;
        emit documentSizeChanged(size);
    }
}

void FlatTextLayout::timerEvent(QTimerEvent *event) {
    if (event->timerId() != m_idle.timerId()) {
        QAbstractTextDocumentLayout::timerEvent(event);
        return;
    }
    QElapsedTimer slice;
    slice.start();
    const int count = static_cast<int>(m_advance.size());
    while (m_laidOut < count && slice.elapsed() < 8)
        layOutUpTo(m_laidOut + 63, -1);
    if (m_laidOut >= count)
        m_idle.stop();
    reportSize();
}

QSizeF FlatTextLayout::documentSize() const {
    if (m_advance.empty())
        return {};
    return {qMax<qreal>(0, m_pageWidth), toReal(m_topMargin + m_total + m_bottomMargin)};
}

int FlatTextLayout::pageCount() const {
    layOutUpTo(static_cast<int>(m_advance.size()), -1);
    const qreal pageHeight = document()->pageSize().height();
    if (pageHeight <= 0)
        return 1;
    return qMax(1, static_cast<int>(std::ceil(documentSize().height() / pageHeight)));
}

QRectF FlatTextLayout::frameBoundingRect(QTextFrame *frame) const {
    if (m_advance.empty() || frame != document()->rootFrame())
        return {};
    return {QPointF(0, 0), documentSize()};
}

QRectF FlatTextLayout::blockBoundingRect(const QTextBlock &block) const {
    if (m_advance.empty() || !block.isValid() || !block.isVisible())
        return {};
    const int n = block.blockNumber();
    if (n >= static_cast<int>(m_advance.size()))
        return {};
    layOutUpTo(n, -1);
    QRectF rect = block.layout()->boundingRect();
    rect.moveTopLeft(place(block));
    return rect;
}

int FlatTextLayout::hitTest(const QPointF &exactPoint, Qt::HitTestAccuracy accuracy) const {
    if (m_advance.empty())
        return -1;
    // Qt's layout takes the point in 1/64 pixel too: a point on a block's bottom edge is in it.
    const Fixed y = toFixed(exactPoint.y());
    const QPointF point(toReal(toFixed(exactPoint.x())), toReal(y));
    layOutUpTo(-1, y);
    QTextBlock block = document()->findBlockByNumber(qMax(0, blockAtY(y) - 1));
    enum Hit { Before, After, Inside, Exact };
    Hit hit = Before;
    int position = block.position();
    QTextLayout *hitLayout = nullptr;
    int before = 0;
    for (; block.isValid() && block.blockNumber() < m_laidOut && before < 2; block = block.next()) {
        if (!block.isVisible())
            continue;
        QTextLayout *layout = block.layout();
        const QPointF at = place(block);
        const QRectF rect = layout->boundingRect().translated(at);
        int pos = block.position();
        if (point.y() < rect.top()) {
            ++before;
            if (pos < position) {
                position = pos;
                hit = Before;
            }
            continue;
        }
        if (point.y() > rect.bottom()) {
            pos += block.length();
            if (pos > position) {
                position = pos;
                hit = After;
            }
            continue;
        }
        const QPointF local = point - at;
        hit = Inside;
        hitLayout = layout;
        int offset = 0;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const QRectF lr = line.naturalTextRect();
            if (lr.top() > local.y()) {
                offset = qMin(offset, line.textStart());
            } else if (lr.bottom() <= local.y()) {
                offset = qMax(offset, line.textStart() + line.textLength());
            } else {
                if (lr.left() <= local.x() && lr.right() >= local.x())
                    hit = Exact;
                offset = line.xToCursor(local.x(), accuracy == Qt::ExactHit
                                                       ? QTextLine::CursorOnCharacter
                                                       : QTextLine::CursorBetweenCharacters);
                break;
            }
        }
        position = pos + offset;
        break;
    }
    if (accuracy == Qt::ExactHit && hit < Exact)
        return -1;
    int lastPosition = document()->rootFrame()->lastPosition();
    if (hitLayout && !hitLayout->preeditAreaText().isEmpty())
        lastPosition += static_cast<int>(hitLayout->preeditAreaText().length());
    return qBound(0, position, lastPosition);
}

void FlatTextLayout::draw(QPainter *painter, const PaintContext &context) {
    if (m_advance.empty())
        return;
    const QRectF &clip = context.clip;
    if (clip.isValid())
        layOutUpTo(-1, toFixed(clip.bottom()));
    else
        layOutUpTo(static_cast<int>(m_advance.size()), -1);
    const QSizeF size = documentSize();
    const QRectF frameClip =
        QRectF(QPointF(0, 0), size).adjusted(toReal(m_leftMargin), 0, -toReal(m_rightMargin), 0);
    // One block back: a fixed line height can draw a line above its block.
    int n = clip.isValid() ? qMax(0, blockAtY(toFixed(clip.top())) - 1) : 0;
    Fixed start = blockStart(n);
    for (QTextBlock block = document()->findBlockByNumber(n); block.isValid() && n < m_laidOut;
         block = block.next(), ++n) {
        const QPointF at(toReal(m_leftMargin), toReal(start + m_margin[n]));
        start += m_advance[n];
        if (!block.isVisible())
            continue;
        if (clip.isValid() && at.y() > clip.bottom() + 1)
            break;
        block.layout()->setPosition(at);
        drawBlock(painter, context, block, clip.isValid() ? (clip & frameClip) : frameClip);
    }
}

void FlatTextLayout::drawBlock(QPainter *painter, const PaintContext &context,
                               const QTextBlock &block, const QRectF &frameClip) const {
    const QTextLayout *layout = block.layout();
    QRectF rect = layout->boundingRect().translated(layout->position());
    const QRectF &clip = context.clip;
    if (clip.isValid() && (rect.bottom() < clip.y() || rect.top() > clip.bottom()))
        return;

    const QTextBlockFormat format = block.blockFormat();
    const QBrush background = format.background();
    if (background != Qt::NoBrush) {
        painter->save();
        painter->setBrushOrigin(rect.topLeft());
        painter->fillRect(rect, background);
        painter->restore();
    }

    QList<QTextLayout::FormatRange> selections;
    const int blockPosition = block.position();
    const int blockLength = block.length();
    for (const Selection &range : context.selections) {
        const int selStart = range.cursor.selectionStart() - blockPosition;
        const int selEnd = range.cursor.selectionEnd() - blockPosition;
        if (selStart < blockLength && selEnd > 0 && selEnd > selStart) {
            selections.append({selStart, selEnd - selStart, range.format});
        } else if (!range.cursor.hasSelection() &&
                   range.format.hasProperty(QTextFormat::FullWidthSelection) &&
                   block.contains(range.cursor.position())) {
            // A full-width selection needs only a position to name its line.
            const QTextLine line =
                layout->lineForTextPosition(range.cursor.position() - blockPosition);
            QTextLayout::FormatRange o{line.textStart(), line.textLength(), range.format};
            if (o.start + o.length == blockLength - 1)
                ++o.length; // the paragraph break too
            selections.append(o);
        }
    }

    const QPen oldPen = painter->pen();
    painter->setPen(context.palette.color(QPalette::Text));
    layout->draw(painter, QPointF(), selections, frameClip);
    const int cursor = context.cursorPosition;
    if ((cursor >= blockPosition && cursor < blockPosition + blockLength) ||
        (cursor < -1 && !layout->preeditAreaText().isEmpty())) {
        const int at =
            cursor < -1 ? layout->preeditAreaPosition() - (cursor + 2) : cursor - blockPosition;
        layout->drawCursor(painter, QPointF(), at, m_cursorWidth);
    }
    painter->setPen(oldPen);
}

} // namespace yuedu::app
