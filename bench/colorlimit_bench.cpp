// The colour limit ("Höchstens N Farben"): the histogram of the resampled picture and the choice
// of N of the 64 ticked colours, on photo-like grids. Target: at most 0.3 s at 1000 x 1000 with
// N = 12.

#include "benchcases.h"
#include "engine/colorlimit.h"

namespace tessora::bench {
namespace {

void BM_ColorLimit(benchmark::State& state) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    const int limit = static_cast<int>(state.range(2));
    const dib& grid24 = cachedPhoto(wide, high);
    const LPAL pal = StartPalette();
    const auto ticks = allTicked();
    for (auto _ : state) {
        const std::vector<int> chosen =
            chooseColors(colorHistogram(grid24), pal, kBeadColorCount, ticks, limit);
        benchmark::DoNotOptimize(chosen.data());
    }
    countBeads(state, std::int64_t{wide} * high);
}
BENCHMARK(BM_ColorLimit)
    ->ArgNames({"wide", "high", "colors"})
    ->Args({100, 100, 12})
    ->Args({1000, 1000, 12})
    ->Args({1000, 1000, 4})
    ->Args({1000, 1000, 40})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessora::bench
