// The row commands on a pack of 4095 tracks, with both item models watching.
#include "list/levels_list_model.h"
#include "list/levels_tree_model.h"
#include "list/row_ops.h"
#include "pack/sample_pack.h"

#include <benchmark/benchmark.h>

using namespace korvo;

namespace {

struct BigPack {
    explicit BigPack(int tracks, ListView viewMode) : viewMode(viewMode) {
        SampleOptions opt;
        opt.tracks = tracks;
        opt.segments = 20;
        original = makeSamplePack(table, opt);
        rows.reset(original, table);
    }
    void restore() {
        table.TrackCount = int(original.size()) - kGroups;
        rows.reset(original, table);
    }
    int middle() const { return rows.size() / 2; }

    ListView viewMode;
    TrackTable table;
    Rows original;
    LevelRows rows;
    TCurItem cur;
    ListButtons buttons;
    RowOps ops{rows, table, cur, buttons, viewMode};
    LevelsListModel listModel{rows};
    LevelsTreeModel treeModel{rows};
};

void BM_MoveUpAndDown(benchmark::State& state) {
    BigPack p(kMaxTracks, ListView(state.range(0)));
    p.ops.selectRow(p.middle());
    for (auto _ : state) {
        p.ops.moveUp();
        p.ops.moveDown();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_MoveUpAndDown)
    ->Arg(int(kListView))
    ->Arg(int(kTreeView))
    ->Unit(benchmark::kMicrosecond);

// Moving across a group header changes the groups, so all tracks renumber.
void BM_MoveAcrossHeader(benchmark::State& state) {
    BigPack p(kMaxTracks, ListView(state.range(0)));
    p.ops.selectRow(p.rows.headerRow(2) + 1);
    for (auto _ : state) {
        p.ops.moveUp();
        p.ops.moveDown();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_MoveAcrossHeader)
    ->Arg(int(kListView))
    ->Arg(int(kTreeView))
    ->Unit(benchmark::kMicrosecond);

// A clone needs one free record: 4094 tracks, and the clone's record is given back.
void BM_Clone(benchmark::State& state) {
    BigPack p(kMaxTracks - 1, ListView(state.range(0)));
    p.ops.selectRow(p.middle());
    for (auto _ : state) {
        int row = 0;
        p.ops.cloneTrack(&row);
        state.PauseTiming();
        p.rows.removeTrackRows({row});
        --p.table.TrackCount;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Clone)->Arg(int(kListView))->Arg(int(kTreeView))->Unit(benchmark::kMicrosecond);

void BM_DeleteOneRow(benchmark::State& state) {
    BigPack p(kMaxTracks, ListView(state.range(0)));
    const int row = p.middle();
    const int j = p.rows.data(row);
    for (auto _ : state) {
        p.ops.deleteRows({row});
        state.PauseTiming();
        p.rows.insertTrackRow(row, j, p.table.caption(j));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteOneRow)->Arg(int(kListView))->Arg(int(kTreeView))->Unit(benchmark::kMicrosecond);

// Every other row selected: 2000 separate runs of rows to remove.
void BM_DeleteEveryOtherRow(benchmark::State& state) {
    BigPack p(kMaxTracks, kListView);
    std::vector<int> selected;
    for (int r = 1; r < p.rows.size(); r += 2) selected.push_back(r);
    for (auto _ : state) {
        p.ops.deleteRows(selected);
        state.PauseTiming();
        p.restore();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteEveryOtherRow)->Unit(benchmark::kMillisecond);

// 40 Hard tracks dropped onto the first Easy track.
void BM_Drop(benchmark::State& state) {
    const int count = int(state.range(1));
    BigPack p(kMaxTracks, ListView(state.range(0)));
    std::vector<int> selected;
    for (int r = p.rows.size() - count; r < p.rows.size(); ++r) selected.push_back(r);
    for (auto _ : state) {
        p.ops.drop(selected, DropPoint{1});
        state.PauseTiming();
        p.restore();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Drop)
    ->Args({int(kListView), 40})
    ->Args({int(kTreeView), 40})
    ->Args({int(kListView), kMaxTracks / 3})
    ->Unit(benchmark::kMicrosecond);

void BM_UpdateCntNum(benchmark::State& state) {
    BigPack p(kMaxTracks, kListView);
    for (auto _ : state) p.ops.UpdateCntNum();
}
BENCHMARK(BM_UpdateCntNum)->Unit(benchmark::kMicrosecond);

void BM_ResetRows(benchmark::State& state) {
    BigPack p(kMaxTracks, kListView);
    for (auto _ : state) p.rows.reset(p.original, p.table);
}
BENCHMARK(BM_ResetRows)->Unit(benchmark::kMicrosecond);

} // namespace
