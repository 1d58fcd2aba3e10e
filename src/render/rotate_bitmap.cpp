#include "render/rotate_bitmap.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>

namespace korvo {

namespace {

constexpr int kBpp = 3; // bytes of a 24-bit pixel

bool isWhite(const uchar* px) {
    return px[0] == 255 && px[1] == 255 && px[2] == 255;
}

const uchar* pixel(const QImage& img, int x, int y) {
    return img.constScanLine(y) + kBpp * x;
}

// Whole 90, 180 or 270 degrees; no trim.
QImage exactTurn(const QImage& s, int whole) {
    const int w = s.width(), h = s.height();
    const bool swap = whole != 180;
    QImage b(swap ? h : w, swap ? w : h, QImage::Format_RGB888);
    for (int row = 0; row < b.height(); ++row) {
        uchar* out = b.scanLine(row);
        for (int col = 0; col < b.width(); ++col) {
            int sx = w - 1 - col, sy = h - 1 - row; // 180
            if (whole == 90) sx = row, sy = h - 1 - col;
            if (whole == 270) sx = w - 1 - row, sy = col;
            std::memcpy(out + kBpp * col, pixel(s, sx, sy), kBpp);
        }
    }
    return b;
}

// The source turned by `rad` about the origin into its rotated bounding box,
// nearest neighbour, white where no source pixel falls.
QImage freeTurn(const QImage& s, double rad) {
    const int w = s.width(), h = s.height();
    const double c = std::cos(rad), sn = std::sin(rad);
    const std::array<QPoint, 4> corners{QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)};
    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    for (QPoint p : corners) {
        const int x = roundHalfEven(p.x() * c - p.y() * sn);
        const int y = roundHalfEven(p.x() * sn + p.y() * c);
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    QImage t(maxX - minX, maxY - minY, QImage::Format_RGB888);
    t.fill(Qt::white);
    const double cb = std::cos(-rad), sb = std::sin(-rad);
    for (int m = 0; m < t.height(); ++m) {
        uchar* out = t.scanLine(m);
        const double u = m + minY;
        for (int n = 0; n < t.width(); ++n) {
            const double tt = n + minX;
            const int sx = roundHalfEven(tt * cb - u * sb);
            const int sy = roundHalfEven(tt * sb + u * cb);
            if (sx >= 0 && sx < w && sy >= 0 && sy < h)
                std::memcpy(out + kBpp * n, pixel(s, sx, sy), kBpp);
        }
    }
    return t;
}

// Cuts the turned picture `t` back to w x h: the box of its non-white pixels
// (which always holds the centre of `t`) is widened evenly to the old size.
QImage trim(const QImage& t, int w, int h) {
    int minC = t.width() / 2, maxC = minC, minR = t.height() / 2, maxR = minR;
    for (int r = 0; r < t.height(); ++r)
        for (int c = 0; c < t.width(); ++c)
            if (!isWhite(pixel(t, c, r))) {
                minC = std::min(minC, c), maxC = std::max(maxC, c);
                minR = std::min(minR, r), maxR = std::max(maxR, r);
            }
    const int hx = (w - (maxC - minC)) / 2; // integer division rounds toward zero
    const int hy = (h - (maxR - minR)) / 2;
    const int r0 = minR - hy, r1 = maxR + hy - 1, c0 = minC - hx, c1 = maxC + hx;
    QImage out(w, h, QImage::Format_RGB888);
    out.fill(Qt::white); // what the window does not cover, or takes from outside `t`
    for (int r = std::max(r0, 0); r <= std::min({r1, t.height() - 1, r0 + h - 1}); ++r) {
        uchar* dst = out.scanLine(r - r0);
        for (int c = std::max(c0, 0); c <= std::min({c1, t.width() - 1, c0 + w - 1}); ++c)
            std::memcpy(dst + kBpp * (c - c0), pixel(t, c, r), kBpp);
    }
    return out;
}

} // namespace

QImage RotateBitmap_ads(const QImage& picture, double angle) {
    const QImage s = picture.convertToFormat(QImage::Format_RGB888);
    if (s.isNull() || s.width() == 0 || s.height() == 0) return s;
    const double whole = std::trunc(angle);
    if (whole == angle && (whole == 90 || whole == 180 || whole == 270))
        return exactTurn(s, int(whole));
    const QImage turned = freeTurn(s, angle * std::numbers::pi / 180.0);
    return trim(turned, s.width(), s.height());
}

} // namespace korvo
