// Undo and redo: one step of a node drag on a 499-segment track, one drop of
// 1,000 rows on a 4,095-track pack, and what a thousand drag steps hold.
#include "editor/node_editor.h"
#include "editor/open_track.h"
#include "editor/track_history.h"
#include "heap_in_use.h"
#include "list/pack_document.h"
#include "list/row_ops.h"
#include "pack/sample_pack.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace korvo;

namespace {

struct OpenedTrack {
    TrackTable tracks;
    OpenTrack track{tracks};
    EditorState& state = track.state();
    TrackSession& session = track.session();
    NodeEditor& editor = track.nodes();
    TrackHistory& history = track.history();

    OpenedTrack() {
        const int j = tracks.createTrack("long");
        makeSampleTrack(tracks[j], kMaxSegments, 5);
        session.openSelectedTrack(j, 575);
    }
    // A drag of node k by a few pixels up and back, as the mouse does it.
    void drag(int k, int dy) {
        const QPoint from(state.NodeX[size_t(k)], state.NodeY[size_t(k)] + state.YOffset);
        editor.mousePress(Qt::LeftButton, {}, from);
        for (int step = 1; step <= 5; ++step) editor.mouseMove({}, from + QPoint(0, dy * step / 5));
        editor.mouseRelease(Qt::LeftButton, {}, from + QPoint(0, dy));
    }
};

void BM_UndoRedoNodeDrag(benchmark::State& state) {
    OpenedTrack t;
    t.drag(250, -3);
    for (auto _ : state) {
        t.history.stack().undo();
        t.history.stack().redo();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_UndoRedoNodeDrag)->Unit(benchmark::kMicrosecond);

// Memory a thousand drag steps add to the history.
void BM_ThousandDragSteps(benchmark::State& state) {
    for (auto _ : state) {
        OpenedTrack t;
        const double before = bench::heapInUseKb();
        for (int i = 0; i < 1000; ++i) t.drag(2 + i % 490, i % 2 ? 2 : -2);
        state.counters["history_kB"] = bench::heapInUseKb() - before;
        state.counters["steps"] = t.history.stack().count();
    }
}
BENCHMARK(BM_ThousandDragSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

// Undo and redo of a drop of 1,000 rows to the end of a full pack.
void BM_UndoRedoBigDrop(benchmark::State& state) {
    PackDocument doc;
    Rows rows;
    for (int g = 1; g <= kGroups; ++g) {
        rows.push_back(kHeaderRow);
        for (int k = 0; k < kMaxTracks / kGroups; ++k) {
            const int j = doc.Tracks.createTrack("t" + std::to_string(k));
            makeSampleTrack(doc.Tracks[j], 40, uint32_t(j));
            rows.push_back(j);
        }
    }
    doc.Rows.reset(rows, doc.Tracks);
    TCurItem cur;
    ListButtons buttons;
    const ListView view = kListView;
    RowOps ops(doc.Rows, doc.Tracks, cur, buttons, view);
    std::vector<int> dragged;
    for (int r = 2; r < doc.Rows.size() && dragged.size() < 1000; r += 2)
        if (!doc.Rows.isHeader(r)) dragged.push_back(r);
    DropPoint at; // empty space below the rows: the end of the pack
    doc.edit("drop", [&] { ops.drop(dragged, at); });
    for (auto _ : state) {
        doc.history().undo();
        doc.history().redo();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_UndoRedoBigDrop)->Unit(benchmark::kMicrosecond);

} // namespace
