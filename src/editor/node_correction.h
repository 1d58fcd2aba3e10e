#pragma once
// The rules of the node coordinate correction window: which values node k may
// take so that both of its segments stay within the segment limits
// (1 <= dx <= 127, -127 <= dy <= 127), how typed values are brought into
// them, and where the window goes on the screen.
//
// Node arrays are indexed from 1 as in the editor state: NodeX[1] is node 1,
// NodeX[NodeCount] the last node; index 0 is not read.
//
// Values are in shown coordinates: x = track x, y = - track y (up positive).

#include <QPoint>
#include <QRect>

namespace korvo {

struct CorrLimits {
    int xMin = 0, xMax = 0;
    int yMin = 0, yMax = 0;

    // A value below the minimum becomes the minimum, above the maximum the maximum.
    int clampX(int x) const { return x < xMin ? xMin : (x > xMax ? xMax : x); }
    int clampY(int y) const { return y < yMin ? yMin : (y > yMax ? yMax : y); }
};

// The limits for node k (2 <= k <= NodeCount); node 1 never moves, so for it
// the limits hold it where it is. A last node has no right neighbour: its x
// runs from the left neighbour's x + 1 to + 127 and its y is limited against
// the left neighbour alone. When a track read from a file already breaks the
// limits around node k so that no value fits in one direction, that
// coordinate is held at the node's current value.
CorrLimits corrLimits(const int* NodeX, const int* NodeY, int NodeCount, int k);

// Shown y of a track y, and back.
inline int shownY(int trackY) {
    return -trackY;
}
inline int trackY(int shownY) {
    return -shownY;
}

// Top-left screen position of the correction window (its frame `window`
// big) for a node shown at screen point `node` on `screen` (its available
// area): 30 pixels right of and below the node; left of it, 30 pixels away,
// when it would pass the screen's right edge, and above it when it would
// pass the bottom. It never covers the node and stays on a screen that has
// room for it beside the node.
QPoint corrWindowPos(QPoint node, QSize window, const QRect& screen);

} // namespace korvo
