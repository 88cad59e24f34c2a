// The 視窗 menu's arrangements. QMdiArea tiles only in a grid, so the horizontal and vertical
// tilings (stacked bands, side-by-side columns) and the row of icons are laid out here.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include "app/mainwindow.h"

namespace yuedu::app {

namespace {

QList<QMdiSubWindow *> shownWindows(QMdiArea *area) {
    QList<QMdiSubWindow *> out;
    for (QMdiSubWindow *sub : area->subWindowList(QMdiArea::StackingOrder))
        if (sub->isVisible() && !sub->isMinimized())
            out << sub;
    return out;
}

// Lays the windows out in equal bands, top to bottom (stacked) or left to right.
void tile(QMdiArea *area, bool stacked) {
    const QList<QMdiSubWindow *> windows = shownWindows(area);
    if (windows.isEmpty())
        return;
    const QRect r = area->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int k = 0; k < n; ++k) {
        QMdiSubWindow *sub = windows[k];
        if (sub->isMaximized())
            sub->showNormal();
        QRect g;
        if (stacked) {
            const int top = r.height() * k / n, bottom = r.height() * (k + 1) / n;
            g = QRect(0, top, r.width(), bottom - top);
        } else {
            const int left = r.width() * k / n, right = r.width() * (k + 1) / n;
            g = QRect(left, 0, right - left, r.height());
        }
        sub->setGeometry(g);
    }
}

} // namespace

void MainWindow::cascadeWindows() {
    // QMdiArea's cascade shrinks every window to its minimum size and cuts the titles. Here
    // they keep a working size (three fifths of the area, as a new window opens) and step one
    // title bar down and right each, from the back to the front.
    const QList<QMdiSubWindow *> windows = shownWindows(m_mdi);
    if (windows.isEmpty())
        return;
    const QRect r = m_mdi->viewport()->rect();
    const int step = qMax(1, windows.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight,
                                                                   nullptr, windows.front()));
    const int n = static_cast<int>(windows.size());
    const QSize size(qMax(qMin(r.width(), 480), r.width() * 3 / 5),
                     qMax(qMin(r.height(), 320), r.height() * 3 / 5));
    const int room = qMax(0, qMin(r.width() - size.width(), r.height() - size.height()) / step);
    for (int k = 0; k < n; ++k) {
        QMdiSubWindow *sub = windows[k];
        if (sub->isMaximized())
            sub->showNormal();
        const int offset = (k % (room + 1)) * step;
        sub->setGeometry(QRect(r.topLeft() + QPoint(offset, offset), size.boundedTo(r.size())));
        sub->raise();
    }
    m_mdi->setActiveSubWindow(windows.back());
}

void MainWindow::tileHorizontally() {
    tile(m_mdi, true);
}

void MainWindow::tileVertically() {
    tile(m_mdi, false);
}

void MainWindow::arrangeIcons() {
    // Minimised windows line up along the bottom edge, left to right.
    const QRect r = m_mdi->viewport()->rect();
    int x = 0, y = r.bottom();
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > r.width()) {
            x = 0;
            y -= size.height();
        }
        sub->move(x, y - size.height() + 1);
        x += size.width();
    }
}

} // namespace yuedu::app
