#pragma once
// Drawing primitives of the canvas. Coordinates are track coordinates; YOffset
// is added to every y. Shapes follow the canvas conventions: an ellipse given
// by the corners (l, t) and (r, b) covers the pixels l..r-1 and t..b-1.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <vector>

class QPainter;

namespace korvo {

// The colour whose channels are 0 where the input's are 128 or more and 255
// where they are below 128: always visible against the input.
QColor InvColor(const QColor& c);

// Flag colours, the same whatever the colour settings.
inline const QColor kStartFlagColor{0, 128, 0};
inline const QColor kFinishFlagColor{255, 0, 0};

// Ellipse inside the pixels l..r-1, t..b-1, outline and fill in `color`.
void fillBoxEllipse(QPainter& p, int l, int t, int r, int b, const QColor& color);

// A copy of `picture` in which every pixel that is exactly white is transparent.
QImage whiteToTransparent(const QImage& picture);

// Pixels of the line from (x1, y1) to (x2, y2), both ends included, that lie in
// `clip`, appended to `out`. The same pixels whatever the clip, so that areas
// painted separately join without seams (the painter's own line drawing
// depends on its clip).
void linePixels(int x1, int y1, int x2, int y2, const QRect& clip, std::vector<QPoint>& out);

class MapCanvas {
public:
    // `clip` is the area being painted, in canvas pixels.
    MapCanvas(QPainter& painter, int yOffset, const QRect& clip)
        : p_(painter), yOffset_(yOffset), clip_(clip) {}

    // Line in the painter's current pen colour.
    void MapLine(int x1, int y1, int x2, int y2);
    // Filled dot of radius r; the painter's pen and brush are left as they were.
    void MapDot(int x, int y, int r, const QColor& color);
    // Flag on a pole 15 pixels high; the pole in InvColor(background).
    void DrawFlag(int x, int y, const QColor& color, const QColor& background);

private:
    QPainter& p_;
    int yOffset_;
    QRect clip_;
    std::vector<QPoint> pixels_;
};

} // namespace korvo
