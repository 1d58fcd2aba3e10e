#include "map_renderer.h"

#include "draw/map_draw.h"

#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace korvo {

namespace {

constexpr int kDotRadius = 3;
constexpr int kPlayerDotRadius = 2;
constexpr int kSelectionFrame = 5; // pixels from the node to the frame around it

bool nodeDots(const CanvasScene& s) {
    return s.IsEditing && !s.IsNewTrack && s.style.pntnd;
}

// Node dots keep a pixel at least between each other: where nodes lie closer
// (short segments, a small zoom) their dots are left out, and the line shows
// instead of a string of beads. Nodes 1 to NodeCount - 1 have dots.
bool dotStandsClear(const EditorState& st, const CanvasScale& at, int k) {
    constexpr int kClear = 2 * kDotRadius + 1;
    const int x = at.px(st.NodeX[size_t(k)]), y = at.py(st.NodeY[size_t(k)]);
    auto near = [&](int j) { return std::abs(at.py(st.NodeY[size_t(j)]) - y) < kClear; };
    for (int j = k - 1; j >= 1 && x - at.px(st.NodeX[size_t(j)]) < kClear; --j)
        if (near(j)) return false;
    for (int j = k + 1; j < st.NodeCount && at.px(st.NodeX[size_t(j)]) - x < kClear; ++j)
        if (near(j)) return false;
    return true;
}

MapCanvas canvasOf(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    return MapCanvas(p, s.state.YOffset, exposed, s.zoom);
}

void paintTrack(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    const EditorState& st = s.state;
    MapCanvas c = canvasOf(p, exposed, s);
    const bool dots = nodeDots(s);
    const QColor node = s.style.Node1;
    p.setPen(QPen(s.style.line(s.ColorMode), 1));
    const int margin = kDotRadius + 1;
    const auto [first, last] =
        st.segmentsInColumns(int(std::floor((exposed.left() - margin) / s.zoom)),
                             int(std::ceil((exposed.right() + margin) / s.zoom)));
    for (int i = first; i <= last; ++i) {
        c.MapLine(st.NodeX[size_t(i)], st.NodeY[size_t(i)], st.NodeX[size_t(i + 1)],
                  st.NodeY[size_t(i + 1)]);
        if (dots && dotStandsClear(st, {st.YOffset, s.zoom}, i))
            c.MapDot(st.NodeX[size_t(i)], st.NodeY[size_t(i)], kDotRadius, node);
    }
}

void paintZeroLine(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    MapCanvas c = canvasOf(p, exposed, s);
    const int left = std::max(0, exposed.left());
    const int right = std::min(c.px(s.width), exposed.right() + 1);
    if (left > right) return;
    p.setPen(QPen(InvColor(s.style.background(s.ColorMode)), 1));
    std::vector<QPoint> pixels;
    linePixels(left, c.py(0), right, c.py(0), exposed, pixels);
    if (!pixels.empty()) p.drawPoints(pixels.data(), int(pixels.size()));
}

void paintSprite(QPainter& p, const QImage& picture, QPoint topLeft) {
    p.drawImage(topLeft, whiteToTransparent(picture));
}

void paintOverlay(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    const CanvasOverlay& o = s.overlay;
    const EditorState& st = s.state;
    MapCanvas c = canvasOf(p, exposed, s);
    const int k = o.highlightNode;
    if (k >= 1 && k <= st.NodeCount && s.style.pntnd)
        c.MapDot(st.NodeX[size_t(k)], st.NodeY[size_t(k)], kDotRadius, s.style.Node1);
    if (const int n = o.selectedNode; n >= 1 && n <= st.NodeCount) { // a frame 11 x 11
        const int cx = c.px(st.NodeX[size_t(n)]), cy = c.py(st.NodeY[size_t(n)]);
        const int r = kSelectionFrame;
        std::vector<QPoint> pixels;
        linePixels(cx - r, cy - r, cx + r, cy - r, exposed, pixels);
        linePixels(cx + r, cy - r, cx + r, cy + r, exposed, pixels);
        linePixels(cx + r, cy + r, cx - r, cy + r, exposed, pixels);
        linePixels(cx - r, cy + r, cx - r, cy - r, exposed, pixels);
        p.save();
        p.setPen(QPen(InvColor(s.style.background(s.ColorMode)), 1));
        if (!pixels.empty()) p.drawPoints(pixels.data(), int(pixels.size()));
        p.restore();
    }
    if (o.startDot && st.NodeCount >= 1)
        c.MapDot(st.NodeX[1], st.NodeY[1], kDotRadius, s.style.Node1);
    p.setPen(QPen(s.style.line(s.ColorMode), 1));
    if (o.rubberBand && o.RubberFrom != o.RubberTo)
        c.MapLine(o.RubberFrom.x(), o.RubberFrom.y(), o.RubberTo.x(), o.RubberTo.y());
    if (o.cross) { // the cross keeps its size in pixels
        const int cx = c.px(o.crossAt.x()), cy = c.py(o.crossAt.y());
        std::vector<QPoint> pixels;
        linePixels(cx - 5, cy - 5, cx + 6, cy + 6, exposed, pixels);
        linePixels(cx + 5, cy - 5, cx - 6, cy + 6, exposed, pixels);
        if (!pixels.empty()) p.drawPoints(pixels.data(), int(pixels.size()));
    }
    if (o.rider && !s.riderImage.isNull()) { // at the zoom, like the track it is held against
        const QImage& r = s.riderImage;
        const QPoint topLeft = o.riderCentre - QPoint(r.width() / 2, r.height() / 2);
        const CanvasScale at{0, s.zoom};
        const QRect box(QPoint(at.px(topLeft.x()), at.py(topLeft.y())),
                        QPoint(at.px(topLeft.x() + r.width()), at.py(topLeft.y() + r.height())) -
                            QPoint(1, 1));
        if (!box.isEmpty()) p.drawImage(box, whiteToTransparent(r));
    }
}

} // namespace

QRect playerMarkerRect(const CanvasScene& s) {
    const EditorState& st = s.state;
    const CanvasScale at{st.YOffset, s.zoom};
    const int px = at.px(st.PlayerPt.x()), py = at.py(st.PlayerPt.y() + st.PlayerYOffset);
    const int w = s.motoV.width(), h = s.motoV.height();
    return QRect(QPoint(px - w / 2, py - h), QPoint(px + w / 2 - 1, py - 1));
}

QRect marksRect(const CanvasScene& s) {
    if (s.Templ <= 0) return {};
    const EditorState& st = s.state;
    const CanvasScale at{st.YOffset, s.zoom};
    QRect r = flagRect(at.px(st.StartPt.x()), at.py(st.StartPt.y()));
    if (st.FinishPt.x() > st.StartPt.x())
        r |= flagRect(at.px(st.FinishPt.x()), at.py(st.FinishPt.y()));
    if (s.style.VMoto == 1 && !s.motoV.isNull()) return r | playerMarkerRect(s);
    return r | dotRect(at.px(st.PlayerPt.x()), at.py(st.PlayerPt.y() + st.PlayerYOffset),
                       kPlayerDotRadius);
}

QRect crossRect(QPoint at, int yOffset) {
    return QRect(at.x() - 6, at.y() + yOffset - 5, 13, 12);
}

void DrawSFM(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    const EditorState& st = s.state;
    MapCanvas c = canvasOf(p, exposed, s);
    const QColor bg = s.style.background(s.ColorMode);
    c.DrawFlag(st.StartPt.x(), st.StartPt.y(), kStartFlagColor, bg);
    if (st.FinishPt.x() > st.StartPt.x())
        c.DrawFlag(st.FinishPt.x(), st.FinishPt.y(), kFinishFlagColor, bg);
    if (s.style.VMoto == 1 && !s.motoV.isNull()) {
        paintSprite(p, s.motoV, playerMarkerRect(s).topLeft());
        return;
    }
    c.MapDot(st.PlayerPt.x(), st.PlayerPt.y() + st.PlayerYOffset, kPlayerDotRadius,
             s.style.line(s.ColorMode));
}

void MapImgPaint(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setClipRect(exposed);
    p.fillRect(exposed, s.style.background(s.ColorMode));
    paintTrack(p, exposed, s);
    if (s.state.NodeCount >= 1) paintZeroLine(p, exposed, s); // a new track: after its first node
    if (s.Templ > 0) DrawSFM(p, exposed, s);
    paintOverlay(p, exposed, s);
    p.restore();
}

} // namespace korvo
