#pragma once
// Drawing primitives of the canvas. Coordinates are track coordinates; YOffset
// is added to every y. Shapes follow the canvas conventions: an ellipse given
// by the corners (l, t) and (r, b) covers the pixels l..r-1 and t..b-1.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <cmath>
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

// The part of a line that lies in a clip rectangle, found once: the first
// pixel inside, how many pixels follow it, and the stepping state there.
// Lines step one pixel along their longer axis each time, and along the
// shorter one when the error term says so (Bresenham), so the pixels inside
// a rectangle are one unbroken run of steps.
struct ClippedLine {
    int x = 0, y = 0;    // the first pixel inside the clip
    long long count = 0; // pixels inside the clip, 0 for none
    bool xMajor = true;  // steps along x every time (else along y)
    int sx = 1, sy = 1;  // the directions of x and y
    long long err = 0;   // 0 <= err < twiceMajor
    long long twiceMajor = 0, twiceMinor = 0;

    ClippedLine(int x1, int y1, int x2, int y2, const QRect& clip);

    // Calls put(x, y) for each pixel inside the clip, in the line's order.
    template <typename Put> void forEachPixel(Put&& put) const {
        int px = x, py = y;
        long long e = err;
        for (long long k = 0;; ++k) {
            put(px, py);
            if (k + 1 >= count) break;
            e += twiceMinor;
            const bool minorStep = e >= twiceMajor;
            if (minorStep) e -= twiceMajor;
            if (xMajor) {
                px += sx;
                if (minorStep) py += sy;
            } else {
                py += sy;
                if (minorStep) px += sx;
            }
        }
    }
};

// Pixels of the line from (x1, y1) to (x2, y2), both ends included, that lie in
// `clip`, appended to `out`. The same pixels whatever the clip, so that areas
// painted separately join without seams (the painter's own line drawing
// depends on its clip).
void linePixels(int x1, int y1, int x2, int y2, const QRect& clip, std::vector<QPoint>& out);

// Where track positions lie on the canvas: YOffset is added to every y, and
// at a zoom other than 1 positions are scaled (canvas pixel = track position
// x zoom) while dots, flags and lines keep their size in pixels.
struct CanvasScale {
    int yOffset = 0;
    double zoom = 1.0;

    // Canvas pixel of track position x, and of track position y.
    int px(int x) const { return zoom == 1.0 ? x : int(std::lround(x * zoom)); }
    int py(int y) const {
        return zoom == 1.0 ? y + yOffset : int(std::lround((y + yOffset) * zoom));
    }
};

// The canvas pixels a flag standing on (cx, base) covers: pole and cloth.
QRect flagRect(int cx, int base);
// The canvas pixels a dot of radius r at (cx, cy) covers.
QRect dotRect(int cx, int cy, int r);

class MapCanvas {
public:
    // `clip` is the area being painted, in canvas pixels.
    MapCanvas(QPainter& painter, int yOffset, const QRect& clip, double zoom = 1.0)
        : p_(painter), scale_{yOffset, zoom}, clip_(clip) {}

    int px(int x) const { return scale_.px(x); }
    int py(int y) const { return scale_.py(y); }

    // Line in the painter's current pen colour.
    void MapLine(int x1, int y1, int x2, int y2);
    // Filled dot of radius r; the painter's pen and brush are left as they were.
    void MapDot(int x, int y, int r, const QColor& color);
    // Flag on a pole 15 pixels high; the pole in InvColor(background).
    void DrawFlag(int x, int y, const QColor& color, const QColor& background);

private:
    QPainter& p_;
    CanvasScale scale_;
    QRect clip_;
    std::vector<QPoint> pixels_;
};

} // namespace korvo
