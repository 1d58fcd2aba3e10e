// The recovery journal on the largest pack (4,095 tracks of 499 segments):
// what a write costs the window's thread (the encoding) and the writer's
// thread (the file), and the frame time of a node drag with the journal on
// beside the journal off.
#include "../tests/common/find_control.h"
#include "app/editor_controller.h"
#include "app/list_controller.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "app/recovery_keeper.h"
#include "bench_app.h"
#include "editor/ui/track_canvas.h"
#include "io/checked_write.h"
#include "maximal_pack.h"
#include "recovery/recovery_file.h"

#include <QMouseEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

using namespace korvo;
using korvo::test::ctl;

namespace {

struct BigPack {
    TrackTable tracks;
    LevelRows rows;
    BigPack() {
        Rows data;
        readPack(bench::maximalPack(), tracks, data);
        rows.reset(data, tracks);
    }
};

// The pack's part: encoded again only after the pack changed.
void BM_JournalEncodePack(benchmark::State& state) {
    static BigPack pack;
    for (auto _ : state) benchmark::DoNotOptimize(encodeRecoveryPack(pack.tracks, pack.rows));
}
BENCHMARK(BM_JournalEncodePack)->Unit(benchmark::kMillisecond);

// A whole journal from its parts with the pack's part kept: what a write
// during a drag costs the window's thread.
void BM_JournalAssemble(benchmark::State& state) {
    static BigPack pack;
    static const QByteArray packPart = encodeRecoveryPack(pack.tracks, pack.rows);
    KeptTrack t;
    t.open = true;
    for (int i = 0; i <= kMaxSegments; ++i) t.nodes.emplace_back(i * 40, i % 7 * 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(recoveryFileBytes(encodeRecoveryHead("/p/levels.mrg", {}, {}),
                                                   packPart, {}, 0, 0, encodeKeptTrack(t, {})));
    state.counters["bytes"] = double(packPart.size());
}
BENCHMARK(BM_JournalAssemble)->Unit(benchmark::kMillisecond);

// The file, synced and renamed into place, on the writer's thread.
void BM_JournalWrite(benchmark::State& state) {
    static BigPack pack;
    const QByteArray bytes =
        recoveryFileBytes(encodeRecoveryHead("/p/levels.mrg", {}, {}),
                          encodeRecoveryPack(pack.tracks, pack.rows), {}, 0, 0, encodeNoTrack());
    QTemporaryDir dir;
    const QString file = dir.filePath("levels.journal");
    for (auto _ : state)
        if (!writeFileChecked(file, std::string_view(bytes.constData(), size_t(bytes.size())))
                 .empty())
            state.SkipWithError("not written");
}
BENCHMARK(BM_JournalWrite)->Unit(benchmark::kMillisecond);

class RecoveryPrompts : public Prompts {
public:
    bool confirm(QWidget*, const QString&) override { return true; }
    int recoveryChoice(RecoveryWindow&) override { return 1; }
};

// A node of the first track dragged round a circle, one pointer move and its
// repaint a frame, for 3 s: with the journal on, about three journals of the
// whole pack are written meanwhile. Counters: the median and the longest frame.
void BM_DragFrameWithJournal(benchmark::State& state) {
    bench::ensureApp();
    QTemporaryDir stateDir;
    qputenv("XDG_STATE_HOME", stateDir.path().toUtf8());
    QDir::setCurrent(bench::bigBaseFolder());
    MainWindow window{kListView};
    window.setPrompts(std::make_unique<RecoveryPrompts>());
    window.recovery().setKeeping(state.range(0) != 0);
    window.show();
    QApplication::processEvents();
    window.list().selectRow(1);
    window.editor().openSelectedTrack();
    QApplication::processEvents();
    auto* canvas = ctl<TrackCanvas>(window, "MapImg");
    const EditorState& st = window.editor().state();
    const QPoint grab = canvas->fromCanvas(QPoint(st.NodeX[3], st.NodeY[3] + st.YOffset));
    QMouseEvent press(QEvent::MouseButtonPress, grab, canvas->mapToGlobal(grab), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(canvas, &press);
    if (!window.editor().session().Gesture.IsDragging) {
        state.SkipWithError("the press did not grab a node");
        return;
    }
    std::vector<double> frames;
    int step = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double a = (step++ % 240) * 2 * M_PI / 240;
        const QPoint at =
            grab + QPoint(int(std::lround(30 * std::cos(a))), int(std::lround(20 * std::sin(a))));
        QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(canvas, &move);
        QApplication::processEvents(); // the repaint, and the journal's timer when it is due
        frames.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(frames.begin(), frames.end());
    state.counters["median_us"] = frames[frames.size() / 2];
    state.counters["max_us"] = frames.back();
    state.counters["journals"] = double(
        QDir(stateDir.filePath("korvote/recovery")).entryList({"*.journal"}, QDir::Files).size());
    window.recovery().setKeeping(false);
    window.editor().leaveEditor();
    window.document().startFresh();
    window.close();
}
BENCHMARK(BM_DragFrameWithJournal)
    ->ArgName("journal")
    ->Arg(0)
    ->Arg(1)
    ->MinTime(3.0)
    ->Unit(benchmark::kMicrosecond);

} // namespace
