#include "track_preview.h"

#include "draw/map_draw.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace korvo {

namespace {

// Track extent of the nodes in `state`: W, H and the vertical offset o.
struct Extent {
    int W = 0;
    int H = 0;
    int o = 0;
};

Extent extentOf(const DecodedTrack& st) {
    Extent e;
    e.W = st.NodeCount >= 1 ? st.NodeX[size_t(st.NodeCount)] : 0;
    const int maxY = std::max(0, st.yRange(2).second);
    const int minY = st.yRange(1).first;
    e.o = std::abs(minY) + 100;
    e.H = (std::abs(maxY) + 100) + e.o;
    return e;
}

// Header values of a record before it is drawn (AnchorY, TrackYShift).
void takeHeaderValues(TTrackInfo& r, DecodedTrack& st) {
    r.AnchorY = headerAnchorY(r);
    st.TrackYShift = trackYShiftOf(r);
}

// Draws track coordinates divided by the scale, each rounded on its own.
class ScaledPainter {
public:
    ScaledPainter(QPainter& p, double scale, int o) : p_(p), scale_(scale), o_(o) {}
    int sx(int v) const { return roundHalfEven(v / scale_); }
    int sy(int v) const { return roundHalfEven((v + o_) / scale_); }

    void polyline(const DecodedTrack& st, const QColor& color) {
        p_.setPen(QPen(color, 1));
        for (int i = 1; i < st.NodeCount; ++i)
            p_.drawLine(sx(st.NodeX[size_t(i)]), sy(st.NodeY[size_t(i)]),
                        sx(st.NodeX[size_t(i + 1)]), sy(st.NodeY[size_t(i + 1)]));
    }
    void zeroLine(int width, const QColor& color) {
        p_.setPen(QPen(color, 1));
        p_.drawLine(0, sy(0), width, sy(0));
    }
    void pole(QPoint at, const QColor& color) {
        p_.setPen(QPen(color, 1));
        p_.drawLine(sx(at.x()), sy(at.y()), sx(at.x()), sy(at.y() - 15));
    }
    void flag(QPoint at, const QColor& color) {
        fillBoxEllipse(p_, sx(at.x() - 5), sy(at.y() - 20), sx(at.x() + 6), sy(at.y() - 10), color);
    }
    void point(QPoint at, const QColor& color) {
        p_.setPen(QPen(color, 1));
        p_.drawPoint(sx(at.x()), sy(at.y()));
    }

private:
    QPainter& p_;
    double scale_;
    int o_;
};

struct MarkColors {
    QColor pole, rider;
};

// A finish that does not lie right of the start (a track too short for its
// length) is left out, as the canvas leaves it out.
void drawMarks(ScaledPainter& sp, const DecodedTrack& st, const MarkColors& c) {
    const bool finish = st.FinishPt.x() > st.StartPt.x();
    sp.pole(st.StartPt, c.pole);
    if (finish) sp.pole(st.FinishPt, c.pole);
    sp.flag(st.StartPt, kStartFlagColor);
    if (finish) sp.flag(st.FinishPt, kFinishFlagColor);
    sp.point(st.PlayerPt, c.rider);
}

} // namespace

double PreviewScale(int W, int H, int w, int h) {
    if (w <= 0 || h <= 0) return 1.0;
    const int Hs = std::max(h, H);
    return std::max(double(W) / w, double(Hs) / h);
}

int floatingPreviewHeight(int W, int H, int w) {
    if (W <= 0) return 0;
    const double exact = double(w) * H / W;
    return std::clamp(roundHalfEven(std::min(exact, double(kMaxFloatingHeight))), 1,
                      kMaxFloatingHeight);
}

double drawPreview(const TrackTable& tracks, int j, DecodedTrack& st, QImage& image,
                   const PreviewColors& colors, PreviewTarget target) {
    TTrackInfo r = tracks[j]; // drawing works on a copy: the record stays as it is
    if (r.Templ == 0) r.Templ = 1;
    takeHeaderValues(r, st);
    const bool list = target == PreviewTarget::List;
    if (list) st.decode(r, r.StartX);
    const Extent e = extentOf(st);
    double scale = 1.0;
    bool drawTrack = true;
    if (list) {
        scale = PreviewScale(e.W, e.H, image.width(), image.height());
        st.YOffset = e.o;
        if (r.Templ > 0) st.FindSFM(r.Templ);
    } else if (e.W > 0 && image.width() > 0) {
        const int h = floatingPreviewHeight(e.W, e.H, image.width());
        if (h != image.height()) image = QImage(image.width(), h, QImage::Format_RGB32);
        scale = double(e.W) / image.width();
    } else {
        drawTrack = false;
    }
    if (image.isNull()) return scale;
    image.fill(colors.background);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, image.width() - 1, image.height() - 1);
    if (!drawTrack) return scale;
    ScaledPainter sp(p, scale, e.o);
    sp.polyline(st, colors.line);
    sp.zeroLine(image.width(), InvColor(colors.background));
    if (r.Templ > 0) drawMarks(sp, st, {InvColor(colors.background), colors.line});
    return scale;
}

double drawImportPreview(const TrackTable& importTracks, int d, DecodedTrack& st, QImage& image) {
    TTrackInfo r = importTracks[d]; // the record stays as it is
    takeHeaderValues(r, st);
    st.decode(r, r.StartX);
    const Extent e = extentOf(st);
    const double scale = PreviewScale(e.W, e.H, image.width(), image.height());
    st.YOffset = e.o;
    if (image.isNull()) return scale;
    image.fill(Qt::white);
    QPainter p(&image);
    ScaledPainter sp(p, scale, e.o);
    sp.polyline(st, QColor(0, 170, 0));
    sp.zeroLine(image.width(), Qt::black);
    if (r.Templ > 0) {
        st.FindSFM(r.Templ);
        drawMarks(sp, st, {Qt::black, QColor(255, 0, 0)});
    }
    return scale;
}

PreviewWindowFit fitPreviewWindow(int baseImgWidth, int baseImgHeight, int captionHeight) {
    PreviewWindowFit fit;
    fit.windowHeight = captionHeight + baseImgHeight + 9;
    fit.PreviewRatio = double(baseImgWidth + 10) / fit.windowHeight;
    return fit;
}

int previewWindowWidth(int windowHeight, double previewRatio) {
    return roundHalfEven(windowHeight * previewRatio);
}

} // namespace korvo
