// Reading and writing a maximal pack in memory.
#include "pack/mrg_format.h"
#include "pack/sample_pack.h"

#include <benchmark/benchmark.h>

using namespace korvo;

namespace {

const std::string& maximalPack() {
    static const std::string image = [] {
        TrackTable table;
        SampleOptions opt;
        opt.tracks = kMaxTracks;
        opt.segments = kMaxSegments;
        Rows rows = makeSamplePack(table, opt);
        return writePack(table, rows);
    }();
    return image;
}

void BM_ReadMaximalPack(benchmark::State& state) {
    const std::string& image = maximalPack();
    TrackTable table;
    Rows rows;
    for (auto _ : state) {
        std::string why = readPack(image, table, rows);
        benchmark::DoNotOptimize(why);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(image.size()));
}
BENCHMARK(BM_ReadMaximalPack)->Unit(benchmark::kMillisecond);

void BM_WriteMaximalPack(benchmark::State& state) {
    TrackTable table;
    Rows rows;
    readPack(maximalPack(), table, rows);
    for (auto _ : state) {
        std::string out = writePack(table, rows);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(maximalPack().size()));
}
BENCHMARK(BM_WriteMaximalPack)->Unit(benchmark::kMillisecond);

} // namespace
