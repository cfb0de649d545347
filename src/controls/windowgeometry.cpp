#include "controls/windowgeometry.h"

#include <algorithm>

namespace vendara::windowgeometry {

QSize firstOpenSize(QSize preferred, QSize minimum, QSize room)
{
    return preferred.expandedTo(minimum).boundedTo(room).expandedTo(QSize(1, 1));
}

QSize roomOnScreen(const QRect &available, QSize frame)
{
    return (available.size() - frame).expandedTo(QSize(1, 1));
}

QPoint placement(QSize frameSize, const QRect &over, const QRect &available)
{
    const QRect anchor = over.isValid() ? over : available;
    QPoint topLeft(anchor.x() + (anchor.width() - frameSize.width()) / 2,
                   anchor.y() + (anchor.height() - frameSize.height()) / 2);
    // Inside the free area, the top left corner first: a window larger than
    // the screen keeps its title bar and its left edge reachable.
    topLeft.setX(std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - frameSize.width())));
    topLeft.setY(std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - frameSize.height())));
    return topLeft;
}

} // namespace vendara::windowgeometry
