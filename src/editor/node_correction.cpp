#include "editor/node_correction.h"
#include "pack/track_geometry.h"

#include <algorithm>

namespace korvo {

namespace {

// Narrows [lo, hi]; an empty range holds the value where it is.
void settle(int& lo, int& hi, int current) {
    if (lo > hi) lo = hi = current;
}

} // namespace

CorrLimits corrLimits(const int* NodeX, const int* NodeY, int NodeCount, int k) {
    CorrLimits l;
    if (k < 1 || k > NodeCount) return l;
    const int x = NodeX[k], y = shownY(NodeY[k]);
    if (k == 1) return {x, x, y, y};

    const int lx = NodeX[k - 1], ly = NodeY[k - 1];
    l.xMin = lx + 1;
    l.xMax = lx + kMaxStep;
    l.yMin = -ly - kMaxStep;
    l.yMax = kMaxStep - ly;
    if (k < NodeCount) {
        const int rx = NodeX[k + 1], ry = NodeY[k + 1];
        l.xMin = std::max(l.xMin, rx - kMaxStep);
        l.xMax = std::min(l.xMax, rx - 1);
        l.yMin = std::max(l.yMin, -ry - kMaxStep);
        l.yMax = std::min(l.yMax, kMaxStep - ry);
    }
    settle(l.xMin, l.xMax, x);
    settle(l.yMin, l.yMax, y);
    return l;
}

QPoint corrWindowPos(QPoint node, QSize window, const QRect& screen) {
    constexpr int kGap = 30;
    const int right = screen.x() + screen.width(), bottom = screen.y() + screen.height();
    int x = node.x() + kGap, y = node.y() + kGap;
    if (x + window.width() > right) x = node.x() - kGap - window.width();
    if (y + window.height() > bottom) y = node.y() - kGap - window.height();
    // A screen too small for it on either side: as much of it on the screen as fits.
    return QPoint(std::max(x, screen.x()), std::max(y, screen.y()));
}

} // namespace korvo
