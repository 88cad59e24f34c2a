#pragma once
// The layout of the editor's documents: one column of paragraphs in the root frame (no tables,
// frames, lists or images, which the editor never makes). It places paragraphs exactly as Qt's
// own layout does (alignment, indents, line height, the margins between paragraphs) but keeps
// the height of every paragraph in a list with sums by chunk, so that an edit lays out the
// paragraphs it touched and moves the ones below by arithmetic instead of walking all of them.
// Paragraphs are laid out from the top as they are first needed (painted, hit, measured) and in
// slices while the program is idle; the ones not reached yet count with an estimated height.
#include <QAbstractTextDocumentLayout>
#include <QBasicTimer>
#include <QTextBlockFormat>
#include <cstdint>
#include <vector>

namespace yuedu::app {

class FlatTextLayout : public QAbstractTextDocumentLayout {
    Q_OBJECT
    // Read and set by the text edit under this name.
    Q_PROPERTY(int cursorWidth READ cursorWidth WRITE setCursorWidth)
public:
    explicit FlatTextLayout(QTextDocument *document);

    void draw(QPainter *painter, const PaintContext &context) override;
    int hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const override;
    // Lays the whole document out first, as Qt's layout does.
    int pageCount() const override;
    // The size as far as laid out, the rest estimated: asked for on every scroll-bar update.
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame *frame) const override;
    QRectF blockBoundingRect(const QTextBlock &block) const override;

    int cursorWidth() const { return m_cursorWidth; }
    void setCursorWidth(int width) { m_cursorWidth = width; }

protected:
    void documentChanged(int from, int oldLength, int length) override;
    void timerEvent(QTimerEvent *event) override;

private:
    // Lengths in 1/64 pixel, rounded as Qt's layout rounds them.
    using Fixed = std::int64_t;

    void reset();
    void spliceBlocks(int first, int oldLast, int newLast);
    void setEntry(int block, Fixed margin, Fixed height) const;
    void rebuildChunks(int fromBlock) const;
    // Top of the space of a block (before its top margin) and the block at a height.
    Fixed blockStart(int block) const;
    int blockAtY(Fixed y) const;
    // Lays out blocks from the first not laid out yet through `last` and through every block
    // that starts at or above `y`.
    void layOutUpTo(int last, Fixed y) const;
    Fixed layOutBlock(const QTextBlock &block, const QTextBlockFormat &format, Fixed y) const;
    Fixed marginBetween(const QTextBlockFormat &previous, const QTextBlockFormat &format) const;
    Fixed estimate(const QTextBlock &block, const QTextBlockFormat &format) const;
    // Sets the layout position of a laid-out block from the heights and returns it.
    QPointF place(const QTextBlock &block) const;
    void drawBlock(QPainter *painter, const PaintContext &context, const QTextBlock &block,
                   const QRectF &frameClip) const;
    qreal scale() const;
    void reportSize();

    // Per block: its height with the margin above it, and that margin alone.
    mutable std::vector<Fixed> m_advance;
    mutable std::vector<Fixed> m_margin;
    mutable std::vector<Fixed> m_chunkSum;
    mutable Fixed m_total = 0;
    // Blocks [0, m_laidOut) are laid out at the present width.
    mutable int m_laidOut = 0;

    Fixed m_topMargin = 0, m_bottomMargin = 0, m_leftMargin = 0, m_rightMargin = 0;
    Fixed m_contentWidth = 0;
    qreal m_pageWidth = 0;
    Fixed m_estimateLine = 0;
    qreal m_estimateChar = 0;
    int m_cursorWidth = 1;
    QSizeF m_reportedSize;
    QBasicTimer m_idle;
};

} // namespace yuedu::app
