// Reading and writing a maximal pack in memory.
#include "maximal_pack.h"

#include <benchmark/benchmark.h>

using namespace korvo;
using korvo::bench::maximalPack;

namespace {

void BM_ReadMaximalPack(benchmark::State& state) {
    const std::string& image = maximalPack();
    TrackTable table;
    Rows rows;
    for (auto _ : state) {
        Message why = readPack(image, table, rows);
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
