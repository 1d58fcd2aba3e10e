// The real window on a pack of 4095 tracks (offscreen): opening it at start-up,
// and row commands including the views' layout and painting that follow.
#include "../tests/common/find_control.h"
#include "app/list_controller.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "bench_app.h"
#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "settings/options.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace korvo;

using korvo::test::ctl;

namespace {

using bench::bigBaseFolder;
using bench::ensureApp;

class YesPrompts : public Prompts {
public:
    bool confirm(QWidget*, const QString&) override { return true; }
};

void BM_StartWithBigPack(benchmark::State& state) {
    ensureApp();
    QDir::setCurrent(bigBaseFolder());
    for (auto _ : state) {
        MainWindow window(ListView(state.range(0)));
        window.show();
        QApplication::processEvents(); // layout and first paint
        state.PauseTiming();
        if (window.document().Rows.size() != kMaxTracks + kGroups)
            state.SkipWithError("the pack was not read");
        window.setPrompts(std::make_unique<YesPrompts>());
        window.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartWithBigPack)
    ->Arg(int(kListView))
    ->Arg(int(kTreeView))
    ->Unit(benchmark::kMillisecond);

void BM_WindowMoveUpDown(benchmark::State& state) {
    ensureApp();
    QDir::setCurrent(bigBaseFolder());
    MainWindow window(ListView(state.range(0)));
    window.setPrompts(std::make_unique<YesPrompts>());
    window.show();
    QApplication::processEvents();
    window.list().selectRow(window.document().Rows.size() / 2);
    window.list().rowClicked();
    for (auto _ : state) {
        ctl<QAction>(window, "UpItem")->trigger();
        QApplication::processEvents();
        ctl<QAction>(window, "DownItem")->trigger();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(2 * state.iterations());
    window.close();
}
BENCHMARK(BM_WindowMoveUpDown)
    ->Arg(int(kListView))
    ->Arg(int(kTreeView))
    ->Unit(benchmark::kMicrosecond);

void BM_WindowCloneDelete(benchmark::State& state) {
    ensureApp();
    QDir::setCurrent(bigBaseFolder());
    MainWindow window(ListView(state.range(0)));
    window.setPrompts(std::make_unique<YesPrompts>());
    window.show();
    QApplication::processEvents();
    const int row = window.document().Rows.size() / 2;
    for (auto _ : state) {
        state.PauseTiming();
        window.document().Rows.removeTrackRows(
            {row + 1}); // make room: one row fewer, one record free
        --window.document().Tracks.TrackCount;
        window.list().selectRow(row);
        window.list().rowClicked();
        state.ResumeTiming();
        ctl<QAction>(window, "CopyItem")->trigger(); // clone next to it
        QApplication::processEvents();
        window.list().selectRow(window.app().ViewMode == kListView ? row + 1 : row);
        ctl<QAction>(window, "DelItem")->trigger(); // and delete the clone
        QApplication::processEvents();
    }
    window.close();
}
BENCHMARK(BM_WindowCloneDelete)
    ->Arg(int(kListView))
    ->Arg(int(kTreeView))
    ->Unit(benchmark::kMicrosecond);

} // namespace
