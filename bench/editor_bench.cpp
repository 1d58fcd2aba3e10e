// Canvas painting, list preview and a replayed node drag on a 499-segment track.
#include "editor/node_editor.h"
#include "editor/open_track.h"
#include "pack/sample_pack.h"
#include "render/track_preview.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

using namespace korvo;

namespace {

// The editor objects of a main window with the longest track open.
struct OpenedTrack {
    TrackTable tracks;
    OpenTrack track{tracks};
    EditorState& state = track.state();
    TrackSession& session = track.session();
    NodeEditor& editor = track.nodes();
    CanvasStyle style;

    OpenedTrack() {
        const int j = tracks.createTrack("long");
        makeSampleTrack(tracks[j], kMaxSegments, 5);
        session.openSelectedTrack(j, 575); // a view 554 pixels high
    }
};

// The visible part of the canvas, scrolled to the middle of the track.
QRect viewport(const OpenedTrack& t) {
    return QRect(t.session.canvasSize.width() / 2, 0, 820, 554);
}

void paintArea(QImage& target, const QRect& view, const QRect& area, const CanvasScene& scene) {
    QPainter p(&target);
    p.translate(-view.topLeft());
    MapImgPaint(p, area, scene);
}

void BM_PaintVisibleCanvas(benchmark::State& state) {
    OpenedTrack t;
    const QRect view = viewport(t);
    QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);
    const CanvasScene scene = t.editor.scene(t.style);
    for (auto _ : state) {
        paintArea(target, view, view, scene);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["canvas_width"] = t.session.canvasSize.width();
}
BENCHMARK(BM_PaintVisibleCanvas)->Unit(benchmark::kMicrosecond);

// The visible 820 x 554 at a zoom of 1/16 (the whole track and more) to 4,
// given as 16ths.
void BM_PaintVisibleCanvasZoomed(benchmark::State& state) {
    OpenedTrack t;
    CanvasScene scene = t.editor.scene(t.style);
    scene.zoom = double(state.range(0)) / 16;
    const QRect full(viewport(t).topLeft() * scene.zoom, QSize(820, 554));
    QImage target(full.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        paintArea(target, full, full, scene);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_PaintVisibleCanvasZoomed)->Arg(1)->Arg(4)->Arg(64)->Unit(benchmark::kMicrosecond);

void BM_ListPreview(benchmark::State& state) {
    OpenedTrack t;
    t.session.closeWithoutStoring();
    QImage preview(794, 567, QImage::Format_RGB32);
    for (auto _ : state) {
        drawPreview(t.tracks, 1, t.state, preview, PreviewColors{}, PreviewTarget::List);
        benchmark::DoNotOptimize(preview.constBits());
    }
}
BENCHMARK(BM_ListPreview)->Unit(benchmark::kMicrosecond);

// Presses on a node in the middle of the view, then replays a recorded
// circular drag: each step is one mouse move and the repaint it asks for.
void replayDrag(benchmark::State& state, bool tailMove) {
    OpenedTrack t;
    const QRect view = viewport(t);
    QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);
    const auto [first, last] = t.state.segmentsInColumns(view.left() + 300, view.right() - 300);
    const int k = std::clamp((first + last) / 2, 2, t.state.NodeCount - 1);
    const QPoint grab(t.state.NodeX[size_t(k)], t.state.NodeY[size_t(k)] + t.state.YOffset);
    if (tailMove) t.editor.toggleMoveTail();
    t.editor.mousePress(Qt::LeftButton, {}, grab);
    if (!(tailMove ? t.session.Gesture.TailGrabbed : t.session.Gesture.IsDragging)) {
        state.SkipWithError("the press did not grab a node");
        return;
    }
    std::vector<QPoint> path;
    for (int i = 0; i < 240; ++i) {
        const double a = i * 2 * M_PI / 240;
        path.push_back(
            grab + QPoint(int(std::lround(60 * std::cos(a))), int(std::lround(40 * std::sin(a)))));
    }
    size_t step = 0;
    for (auto _ : state) {
        const GestureOutcome out = t.editor.mouseMove({}, path[step++ % path.size()]);
        const QRect area = out.repaintAll ? view : out.repaint & view;
        if (!area.isEmpty()) paintArea(target, view, area, t.editor.scene(t.style));
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_ReplayedDrag(benchmark::State& state) {
    replayDrag(state, false);
}
BENCHMARK(BM_ReplayedDrag)->Unit(benchmark::kMicrosecond);

void BM_ReplayedTailMove(benchmark::State& state) {
    replayDrag(state, true);
}
BENCHMARK(BM_ReplayedTailMove)->Unit(benchmark::kMicrosecond);

} // namespace
