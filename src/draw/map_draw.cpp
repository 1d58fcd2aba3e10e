#include "map_draw.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace korvo {

QColor InvColor(const QColor& c) {
    auto inv = [](int v) { return v >= 128 ? 0 : 255; };
    return QColor(inv(c.red()), inv(c.green()), inv(c.blue()));
}

void fillBoxEllipse(QPainter& p, int l, int t, int r, int b, const QColor& color) {
    if (r <= l || b <= t) return;
    p.save();
    p.setPen(QPen(color, 1));
    p.setBrush(color);
    if (r - l == 1 && b - t == 1)
        p.drawPoint(l, t);
    else
        p.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
    p.restore();
}

QImage whiteToTransparent(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((row[x] & 0xffffffu) == 0xffffffu) row[x] = 0;
    }
    return out;
}

void linePixels(int x1, int y1, int x2, int y2, const QRect& clip, std::vector<QPoint>& out) {
    const QRect box(QPoint(std::min(x1, x2), std::min(y1, y2)),
                    QPoint(std::max(x1, x2), std::max(y1, y2)));
    if (!clip.intersects(box)) return;
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        if (clip.contains(x1, y1)) out.emplace_back(x1, y1);
        if (x1 == x2 && y1 == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void MapCanvas::MapLine(int x1, int y1, int x2, int y2) {
    pixels_.clear();
    linePixels(x1, y1 + yOffset_, x2, y2 + yOffset_, clip_, pixels_);
    if (!pixels_.empty()) p_.drawPoints(pixels_.data(), int(pixels_.size()));
}

void MapCanvas::MapDot(int x, int y, int r, const QColor& color) {
    fillBoxEllipse(p_, x - r, y + yOffset_ - r, x + r, y + yOffset_ + r, color);
}

void MapCanvas::DrawFlag(int x, int y, const QColor& color, const QColor& background) {
    const int base = y + yOffset_;
    p_.save();
    p_.setPen(QPen(InvColor(background), 1));
    MapLine(x, y, x, y - 15);
    p_.restore();
    fillBoxEllipse(p_, x - 5, base - 20, x + 6, base - 10, color);
}

} // namespace korvo
