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

namespace {

long long floorDiv(long long a, long long b) { // b > 0
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

long long ceilDiv(long long a, long long b) { // b > 0
    return -floorDiv(-a, b);
}

// The steps from v0 in direction s (+1 or -1) that stay within lo..hi.
void stepsWithin(long long v0, int s, long long lo, long long hi, long long& first,
                 long long& last) {
    first = s > 0 ? lo - v0 : v0 - hi;
    last = s > 0 ? hi - v0 : v0 - lo;
}

} // namespace

ClippedLine::ClippedLine(int x1, int y1, int x2, int y2, const QRect& clip) {
    if (clip.isEmpty()) return;
    const long long a = std::llabs((long long)x2 - x1), b = std::llabs((long long)y2 - y1);
    sx = x1 < x2 ? 1 : -1;
    sy = y1 < y2 ? 1 : -1;
    xMajor = a >= b;
    // After k steps along the major axis (n steps in all) the line has made
    // floor((2km + n) / 2n) steps along the minor one (m in all).
    const long long n = xMajor ? a : b, m = xMajor ? b : a;
    long long first = 0, last = n, lo = 0, hi = 0;
    if (xMajor)
        stepsWithin(x1, sx, clip.left(), clip.right(), lo, hi);
    else
        stepsWithin(y1, sy, clip.top(), clip.bottom(), lo, hi);
    first = std::max(first, lo);
    last = std::min(last, hi);
    if (xMajor)
        stepsWithin(y1, sy, clip.top(), clip.bottom(), lo, hi);
    else
        stepsWithin(x1, sx, clip.left(), clip.right(), lo, hi);
    if (hi < 0 || lo > m) return; // the minor steps never reach lo..hi
    hi = std::min(hi, m);         // keeps the products below small
    if (m > 0) {
        if (lo > 0) first = std::max(first, ceilDiv(2 * n * lo - n, 2 * m));
        last = std::min(last, ceilDiv(2 * n * (hi + 1) - n, 2 * m) - 1);
    }
    if (first > last) return;
    const long long minor = n == 0 ? 0 : floorDiv(2 * first * m + n, 2 * n);
    twiceMajor = 2 * n;
    twiceMinor = 2 * m;
    err = 2 * first * m + n - 2 * n * minor;
    x = int(x1 + sx * (xMajor ? first : minor));
    y = int(y1 + sy * (xMajor ? minor : first));
    count = last - first + 1;
}

void linePixels(int x1, int y1, int x2, int y2, const QRect& clip, std::vector<QPoint>& out) {
    const ClippedLine line(x1, y1, x2, y2, clip);
    if (line.count == 0) return;
    out.reserve(out.size() + size_t(line.count));
    line.forEachPixel([&out](int x, int y) { out.emplace_back(x, y); });
}

void MapCanvas::MapLine(int x1, int y1, int x2, int y2) {
    pixels_.clear();
    linePixels(px(x1), py(y1), px(x2), py(y2), clip_, pixels_);
    if (!pixels_.empty()) p_.drawPoints(pixels_.data(), int(pixels_.size()));
}

// A flag's pole runs 15 pixels up from its base; the cloth is the ellipse in
// the box 11 x 10 whose top is 20 pixels over the base.
constexpr int kPoleHeight = 15, kFlagTop = 20, kFlagBottom = 10, kFlagHalfWidth = 5;

QRect flagRect(int cx, int base) {
    return QRect(QPoint(cx - kFlagHalfWidth, base - kFlagTop), QPoint(cx + kFlagHalfWidth, base));
}

QRect dotRect(int cx, int cy, int r) {
    return QRect(QPoint(cx - r, cy - r), QPoint(cx + r - 1, cy + r - 1));
}

void MapCanvas::MapDot(int x, int y, int r, const QColor& color) {
    fillBoxEllipse(p_, px(x) - r, py(y) - r, px(x) + r, py(y) + r, color);
}

void MapCanvas::DrawFlag(int x, int y, const QColor& color, const QColor& background) {
    const int cx = px(x), base = py(y);
    p_.save();
    p_.setPen(QPen(InvColor(background), 1));
    pixels_.clear();
    linePixels(cx, base, cx, base - kPoleHeight, clip_, pixels_);
    if (!pixels_.empty()) p_.drawPoints(pixels_.data(), int(pixels_.size()));
    p_.restore();
    fillBoxEllipse(p_, cx - kFlagHalfWidth, base - kFlagTop, cx + kFlagHalfWidth + 1,
                   base - kFlagBottom, color);
}

} // namespace korvo
