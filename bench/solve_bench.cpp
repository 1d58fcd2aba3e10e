// The solver of `trackpack ride --solve` at its default budget (10 s, ended
// early once its best stops improving), one benchmark per track: the wall time
// of each track's search, and as counters whether it finished ("finished" 1
// or 0), its par time in seconds and the rides it simulated. Tracks: the
// sample pack (`trackpack sample`: 30 tracks of 60 segments), a held pack of
// longer tracks from another seed (10 of 120 segments), and shapes of our
// own making. Run with --benchmark_filter=Solve.
#include "pack/sample_pack.h"
#include "pack/track_geometry.h"
#include "ride/ride_solver.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <string>

using namespace korvo;

namespace {

using Steps = std::vector<std::pair<int, int>>; // dx, dy (down positive)

// The nodes of `steps` from (0, 0); the ride runs from 30 units in to the end.
RideTrack shape(const Steps& steps) {
    RideTrack t;
    QPoint p(0, 0);
    t.nodes.push_back(p);
    for (const auto& [dx, dy] : steps) t.nodes.push_back(p += QPoint(dx, dy));
    return t;
}

Steps made(int n, const std::function<std::pair<int, int>(int)>& step) {
    Steps s(4, {60, 0}); // a flat run-up
    for (int i = 0; i < n; ++i) s.push_back(step(i));
    for (int i = 0; i < 6; ++i) s.push_back({60, 0});
    return s;
}

std::vector<std::pair<std::string, RideTrack>> ownShapes() {
    return {
        {"hills", shape(made(40,
                             [](int i) {
                                 return std::pair{50, int(std::lround(30 * std::sin(i * 0.45)))};
                             }))},
        {"stairs-up", shape(made(16,
                                 [](int i) {
                                     return std::pair{40, i % 2 ? 0 : -25};
                                 }))},
        {"stairs-down", shape(made(16,
                                   [](int i) {
                                       return std::pair{40, i % 2 ? 0 : 40};
                                   }))},
        {"ramps", shape(made(12,
                             [](int i) {
                                 return i % 3 == 2 ? std::pair{1, 80} : std::pair{40, -20};
                             }))},
        {"climb-30", shape(made(12,
                                [](int) {
                                    return std::pair{60, -35};
                                }))},
        {"whoops", shape(made(30,
                              [](int i) {
                                  return std::pair{25, i % 2 ? 18 : -18};
                              }))},
    };
}

void solveOne(benchmark::State& state, const RideTrack& track) {
    SolveResult r;
    for (auto _ : state) r = solveTrack(track, RideParams{});
    const bool finished = r.ride.end == RideEnd::Finished;
    state.counters["finished"] = finished ? 1 : 0;
    state.counters["par_s"] = finished ? r.ride.ms / 1000 : 0;
    state.counters["rides"] = r.rides;
}

void registerPack(const char* name, const SampleOptions& options) {
    TrackTable table;
    const Rows rows = makeSamplePack(table, options);
    int n = 0;
    for (int j : rows) {
        if (j == kHeaderRow) continue;
        benchmark::RegisterBenchmark(
            ("BM_Solve/" + std::string(name) + "/" + std::to_string(++n)).c_str(), solveOne,
            rideTrackOf(table[j]))
            ->Iterations(1)
            ->Unit(benchmark::kSecond)
            ->UseRealTime();
    }
}

const bool registered = [] {
    registerPack("sample", {30, 60, 1});
    registerPack("held", {10, 120, 2});
    for (const auto& [name, track] : ownShapes())
        benchmark::RegisterBenchmark(("BM_Solve/own/" + name).c_str(), solveOne, track)
            ->Iterations(1)
            ->Unit(benchmark::kSecond)
            ->UseRealTime();
    return true;
}();

} // namespace
