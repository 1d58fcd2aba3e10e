#include "map_renderer.h"

#include "draw/map_draw.h"

#include <QPainter>

namespace korvo {

namespace {

constexpr int kDotRadius = 3;
constexpr int kPlayerDotRadius = 2;

bool nodeDots(const CanvasScene& s) {
    return s.IsEditing && !s.IsNewTrack && s.style.pntnd;
}

void paintTrack(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    const EditorState& st = s.state;
    MapCanvas c(p, st.YOffset, exposed);
    const bool dots = nodeDots(s);
    const QColor node = s.style.Node1;
    p.setPen(QPen(s.style.line(s.ColorMode), 1));
    const auto [first, last] =
        st.segmentsInColumns(exposed.left() - kDotRadius - 1, exposed.right() + kDotRadius + 1);
    for (int i = first; i <= last; ++i) {
        c.MapLine(st.NodeX[size_t(i)], st.NodeY[size_t(i)], st.NodeX[size_t(i + 1)],
                  st.NodeY[size_t(i + 1)]);
        if (dots) c.MapDot(st.NodeX[size_t(i)], st.NodeY[size_t(i)], kDotRadius, node);
    }
}

void paintZeroLine(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    const int left = std::max(0, exposed.left());
    const int right = std::min(s.width, exposed.right() + 1);
    if (left > right) return;
    p.setPen(QPen(InvColor(s.style.background(s.ColorMode)), 1));
    MapCanvas(p, s.state.YOffset, exposed).MapLine(left, 0, right, 0);
}

void paintSprite(QPainter& p, const QImage& picture, QPoint topLeft) {
    p.drawImage(topLeft, whiteToTransparent(picture));
}

void paintOverlay(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    const CanvasOverlay& o = s.overlay;
    const EditorState& st = s.state;
    MapCanvas c(p, st.YOffset, exposed);
    const int k = o.highlightNode;
    if (k >= 1 && k <= st.NodeCount && s.style.pntnd)
        c.MapDot(st.NodeX[size_t(k)], st.NodeY[size_t(k)], kDotRadius, s.style.Node1);
    if (o.startDot && st.NodeCount >= 1)
        c.MapDot(st.NodeX[1], st.NodeY[1], kDotRadius, s.style.Node1);
    p.setPen(QPen(s.style.line(s.ColorMode), 1));
    if (o.rubberBand && o.RubberFrom != o.RubberTo)
        c.MapLine(o.RubberFrom.x(), o.RubberFrom.y(), o.RubberTo.x(), o.RubberTo.y());
    if (o.cross) {
        const int cx = o.crossAt.x(), cy = o.crossAt.y();
        c.MapLine(cx - 5, cy - 5, cx + 6, cy + 6);
        c.MapLine(cx + 5, cy - 5, cx - 6, cy + 6);
    }
    if (o.rider && !s.riderImage.isNull()) {
        const QImage& r = s.riderImage;
        paintSprite(p, r, o.riderCentre - QPoint(r.width() / 2, r.height() / 2));
    }
}

} // namespace

QRect playerMarkerRect(const CanvasScene& s) {
    const EditorState& st = s.state;
    const int px = st.PlayerPt.x();
    const int py = st.PlayerPt.y() + st.PlayerYOffset + st.YOffset;
    const int w = s.motoV.width(), h = s.motoV.height();
    return QRect(QPoint(px - w / 2, py - h), QPoint(px + w / 2 - 1, py - 1));
}

QRect crossRect(QPoint at, int yOffset) {
    return QRect(at.x() - 6, at.y() + yOffset - 5, 13, 12);
}

void DrawSFM(QPainter& p, const QRect& exposed, const CanvasScene& s) {
    const EditorState& st = s.state;
    MapCanvas c(p, st.YOffset, exposed);
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
