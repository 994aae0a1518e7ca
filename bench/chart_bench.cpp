// The bead chart: drawn again into the chart of the last run (the window's repeated calculate
// command) and into a chart made anew (the first calculation of a size, every tessora-cli run).

#include "benchcases.h"
#include "engine/chart.h"

namespace tessora::bench {
namespace {

// The bead grid of a photograph at the benchmark's size.
struct ChartInput {
    explicit ChartInput(const benchmark::State& state)
        : wide(static_cast<int>(state.range(0))), high(static_cast<int>(state.range(1))) {
        *grid.out() = beadGridOf(cachedPhoto(wide, high));
    }
    int wide, high;
    OwnedDib grid;
};

void BM_Chart_Reused(benchmark::State& state) {
    const ChartInput input(state);
    OwnedDib chart;
    BeadCounts counts{};
    drawChart(input.grid.get(), input.wide, input.high, 0, *chart.out(), counts);  // first touch
    for (auto _ : state) {
        drawChart(input.grid.get(), input.wide, input.high, 0, *chart.out(), counts);
        benchmark::ClobberMemory();
    }
    countBeads(state, std::int64_t{input.wide} * input.high);
}
BENCHMARK(BM_Chart_Reused)->Apply(beadSizes);
BENCHMARK(BM_Chart_Reused)
    ->ArgNames({"wide", "high"})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_Chart_New(benchmark::State& state) {
    const ChartInput input(state);
    BeadCounts counts{};
    for (auto _ : state) {
        OwnedDib chart;
        drawChart(input.grid.get(), input.wide, input.high, 0, *chart.out(), counts);
        benchmark::ClobberMemory();
    }
    countBeads(state, std::int64_t{input.wide} * input.high);
}
BENCHMARK(BM_Chart_New)->Apply(beadSizes);
// One row: labels 15,000 pixels high, the same chart size as 1000 x 1000.
BENCHMARK(BM_Chart_New)->ArgNames({"wide", "high"})->Args({1000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessora::bench
