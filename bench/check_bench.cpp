// The pack check of 4,095 tracks of 60 segments (`trackpack sample --tracks
// 4095`): its processor time (every thread's, user and system) in the window,
// from Edit > Check pack to the list filled, against the same check called as
// trackpack calls it. bench/check_window_vs_cli.sh sets both beside the
// trackpack process itself. Each repetition is one whole check.
#include "../tests/common/find_control.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "bench_app.h"
#include "pack/pack_file.h"
#include "ride/pack_check.h"
#include "ride/ride_records.h"
#include "ride/ui/check_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace korvo;

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

QString checkBaseFolder() {
    static QTemporaryDir dir;
    static const bool written = [] {
        if (!bench::prepareBaseFolder(dir.path())) return false;
        TrackTable table;
        SampleOptions opt;
        opt.tracks = kMaxTracks;
        const Rows rows = makeSamplePack(table, opt);
        return savePackFile(QDir(dir.path()).filePath("levels.mrg"), table, rows).empty();
    }();
    (void)written;
    return dir.path();
}

class CheckYesPrompts : public Prompts {
public:
    bool confirm(QWidget*, const QString&) override { return true; }
};

void BM_CheckInWindow(benchmark::State& state) {
    bench::ensureApp();
    QDir::setCurrent(checkBaseFolder());
    MainWindow window;
    window.setPrompts(std::make_unique<CheckYesPrompts>());
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        const double before = cpuSeconds();
        test::ctl<QAction>(window, "CheckPack")->trigger();
        auto* check = window.findChild<CheckWindow*>("CheckWindow");
        if (check && check->running()) { // the window's own event loop, as the program runs it
            QEventLoop loop;
            QObject::connect(check, &CheckWindow::checkEnded, &loop, &QEventLoop::quit);
            loop.exec();
        }
        QApplication::processEvents(); // the list painted
        state.SetIterationTime(cpuSeconds() - before);
        if (!check || check->findings().size() < size_t(kMaxTracks))
            state.SkipWithError("the check did not name every track");
        else
            state.counters["rider"] = double(
                std::count_if(check->findings().begin(), check->findings().end(),
                              [](const Finding& f) { return f.kind == FindingKind::RiderStops; }));
    }
    window.close();
}
BENCHMARK(BM_CheckInWindow)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

void BM_CheckAsTrackpack(benchmark::State& state) {
    const QString pack = QDir(checkBaseFolder()).filePath("levels.mrg");
    for (auto _ : state) {
        const double before = cpuSeconds();
        TrackTable tracks;
        Rows rows;
        RideRecords records;
        if (!loadPackFile(pack, tracks, rows).empty() || !records.load(ridesPathOf(pack)).empty())
            state.SkipWithError("the pack was not read");
        CheckOptions options;
        options.records = &records;
        const auto found = checkPack(tracks, rows, rideParamsOfBase(QDir::currentPath()), options);
        benchmark::DoNotOptimize(found.data());
        state.SetIterationTime(cpuSeconds() - before);
    }
}
BENCHMARK(BM_CheckAsTrackpack)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
