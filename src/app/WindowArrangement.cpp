#include "app/WindowArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>

namespace kazutama {

namespace {

QList<QMdiSubWindow*> windows(QMdiArea* area, bool minimized) {
    QList<QMdiSubWindow*> result;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::StackingOrder))
        if (window->isVisible() && window->isMinimized() == minimized)
            result.append(window);
    return result;
}

// The area the windows may use: the whole client area, since once they are arranged no scroll bar is
// needed any more.
QRect clientArea(QMdiArea* area) {
    return QRect(QPoint(0, 0), area->contentsRect().size());
}

// The band of the area that minimised windows leave free at the bottom.
QRect tilingArea(QMdiArea* area) {
    QRect rect = clientArea(area);
    const auto icons = windows(area, true);
    if (!icons.isEmpty())
        rect.setBottom(rect.bottom() - icons.first()->height());
    return rect;
}

void tile(QMdiArea* area, Qt::Orientation stacking) {
    const auto list = windows(area, false);
    if (list.isEmpty())
        return;
    const QRect rect = tilingArea(area);
    const int n = int(list.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* window = list[i];
        if (window->isMaximized())
            window->showNormal();
        if (stacking == Qt::Vertical) {
            const int top = rect.top() + rect.height() * i / n;
            const int bottom = rect.top() + rect.height() * (i + 1) / n;
            window->setGeometry(rect.left(), top, rect.width(), bottom - top);
        } else {
            const int left = rect.left() + rect.width() * i / n;
            const int right = rect.left() + rect.width() * (i + 1) / n;
            window->setGeometry(left, rect.top(), right - left, rect.height());
        }
    }
}

} // namespace

void cascade(QMdiArea* area) {
    const auto list = windows(area, false);
    if (list.isEmpty())
        return;
    const QRect rect = tilingArea(area);
    int offset = 0;
    for (QMdiSubWindow* window : list) {
        if (window->isMaximized())
            window->showNormal();
        const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
        const QSize own = window->size();
        // A window that would reach past the area from its step starts the steps again at the corner.
        if (offset > 0 && (offset + own.width() > rect.width() || offset + own.height() > rect.height()))
            offset = 0;
        const QSize size = own.boundedTo(rect.size() - QSize(offset, offset));
        window->setGeometry(QRect(rect.topLeft() + QPoint(offset, offset), size));
        window->raise();
        offset += step;
    }
}

void tileOneAboveTheOther(QMdiArea* area) {
    tile(area, Qt::Vertical);
}

void tileSideBySide(QMdiArea* area) {
    tile(area, Qt::Horizontal);
}

void arrangeIcons(QMdiArea* area) {
    const QRect rect = clientArea(area);
    int x = rect.left();
    int y = rect.bottom();
    int rowHeight = 0;
    for (QMdiSubWindow* icon : windows(area, true)) {
        const QSize size = icon->size();
        if (x > rect.left() && x + size.width() > rect.right()) {
            x = rect.left();
            y -= rowHeight;
            rowHeight = 0;
        }
        icon->move(x, y - size.height() + 1);
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

} // namespace kazutama
