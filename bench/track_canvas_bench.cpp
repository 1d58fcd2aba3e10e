// The canvas widget of the real window (offscreen) with the widest track a
// record holds, 499 segments of 127 pixels: opening it and the memory that
// takes, a paint event of the visible area, and one pointer move of a node
// drag with the repaint it asks for.
#include "../tests/common/find_control.h"
#include "app/editor_controller.h"
#include "app/list_controller.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "bench_app.h"
#include "editor/ui/track_canvas.h"
#include "heap_in_use.h"
#include "pack/pack_file.h"
#include "pack/templates.h"
#include "pack/track_geometry.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>

using namespace korvo;

using korvo::test::ctl;

namespace {

// A base folder whose pack holds one track 499 x 127 = 63,373 pixels wide,
// rolling up and down by at most 100 pixels.
QString widestBaseFolder() {
    static QTemporaryDir dir;
    static const bool written = [] {
        if (!bench::prepareBaseFolder(dir.path())) return false;
        TrackTable table;
        const int j = table.createTrack("widest");
        TTrackInfo& r = table[j];
        copyTemplateHeader(r, kPresetCount);
        EditorState st;
        st.NodeCount = kMaxSegments + 1;
        for (int i = 1; i <= st.NodeCount; ++i)
            st.setNode(i, (i - 1) * 127, int(std::lround(100 * std::sin(i * 0.2))));
        st.encode(r);
        writeBE16(r.Header.data() + 17, uint16_t(st.NodeCount));
        r.Templ = int16_t(kPresetCount);
        r.DataLen = r.HeaderLen + r.PointsLen + 1;
        const Rows rows = {kHeaderRow, j, kHeaderRow, kHeaderRow};
        return savePackFile(QDir(dir.path()).filePath("levels.mrg"), table, rows).empty();
    }();
    (void)written;
    return dir.path();
}

// Resident memory of the process, in kB.
long rssKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

class YesPrompts : public Prompts {
public:
    bool confirm(QWidget*, const QString&) override { return true; }
};

// The window started on the widest track's pack, that track selected.
struct Window {
    MainWindow window{kListView};
    Window() {
        window.setPrompts(std::make_unique<YesPrompts>());
        window.show();
        QApplication::processEvents();
        window.list().selectRow(1);
    }
    ~Window() {
        window.editor().leaveEditor();
        window.document().startFresh();
        window.close();
    }
    void open() {
        window.list().selectRow(1);
        window.editor().openSelectedTrack();
        QApplication::processEvents(); // laid out and painted
    }
    // Scrolls to the middle of the track; the canvas rectangle shown.
    QRect showMiddle() {
        QScrollBar* h = ctl<QScrollArea>(window, "ScrollBox1")->horizontalScrollBar();
        h->setValue(h->maximum() / 2);
        QApplication::processEvents();
        return ctl<TrackCanvas>(window, "MapImg")->visibleRegion().boundingRect();
    }
};

void BM_OpenWidestTrack(benchmark::State& state) {
    bench::ensureApp();
    QDir::setCurrent(widestBaseFolder());
    Window w;
    const double before = bench::heapInUseKb();
    w.open();
    state.counters["heap_gain_MB"] = (bench::heapInUseKb() - before) / 1024.0;
    state.counters["rss_MB"] = double(rssKb()) / 1024.0;
    state.counters["canvas_width"] = ctl<TrackCanvas>(w.window, "MapImg")->width();
    w.window.editor().closeWithoutStoring();
    for (auto _ : state) {
        w.open();
        state.PauseTiming();
        w.window.editor().closeWithoutStoring();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWidestTrack)->Unit(benchmark::kMillisecond);

void BM_CanvasPaintEvent(benchmark::State& state) {
    bench::ensureApp();
    QDir::setCurrent(widestBaseFolder());
    Window w;
    w.open();
    const QRect visible = w.showMiddle();
    for (auto _ : state) ctl<TrackCanvas>(w.window, "MapImg")->repaint(visible);
    state.counters["visible_width"] = visible.width();
    state.counters["visible_height"] = visible.height();
}
BENCHMARK(BM_CanvasPaintEvent)->Unit(benchmark::kMicrosecond);

// Presses on a node in the middle of the view and moves it round a circle:
// each step is one pointer move event and the repaint it asks for.
void BM_CanvasDragStep(benchmark::State& state) {
    bench::ensureApp();
    QDir::setCurrent(widestBaseFolder());
    Window w;
    w.open();
    const QRect visible = w.showMiddle();
    const EditorState& st = w.window.editor().state();
    const auto [first, last] = st.segmentsInColumns(visible.left() + 300, visible.right() - 300);
    const int k = (first + last) / 2;
    const QPoint grab(st.NodeX[size_t(k)], st.NodeY[size_t(k)] + st.YOffset);
    QWidget* canvas = ctl<TrackCanvas>(w.window, "MapImg");
    QMouseEvent press(QEvent::MouseButtonPress, grab, canvas->mapToGlobal(grab), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(canvas, &press);
    if (!w.window.editor().session().Gesture.IsDragging) {
        state.SkipWithError("the press did not grab a node");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        const double a = (step++ % 240) * 2 * M_PI / 240;
        const QPoint at =
            grab + QPoint(int(std::lround(60 * std::cos(a))), int(std::lround(40 * std::sin(a))));
        QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(canvas, &move);
        QApplication::processEvents(); // the repaint
    }
}
BENCHMARK(BM_CanvasDragStep)->Unit(benchmark::kMicrosecond);

} // namespace
