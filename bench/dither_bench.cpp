// Error diffusion (DepthDownTo with rolmod 1) on photo-like and noisy grids.

#include "benchcases.h"
#include "engine/reduce.h"

namespace tessora::bench {
namespace {

// `newColours`: every run with other ticks than the one before, so the nearest-entry index is
// built anew each time, as after a change on the colour page.
void dither(benchmark::State& state, Grain grain, bool newColours = false) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    const dib& grid24 = cachedPhoto(wide, high, grain);
    const LPAL pal = StartPalette();
    auto ticks = allTicked();
    for (auto _ : state) {
        if (newColours) ticks[kBeadColorCount - 1] = !ticks[kBeadColorCount - 1];
        int notfoundis = 0;
        dib beads = DepthDownTo(grid24, kBeadColorCount, 1, pal, ticks, notfoundis, {});
        benchmark::DoNotOptimize(beads.poi);
        FreeDib(beads);
    }
    countBeads(state, std::int64_t{wide} * high);
}

void BM_Dither_Photo(benchmark::State& state) {
    dither(state, Grain::Photo);
}
void BM_Dither_Noisy(benchmark::State& state) {
    dither(state, Grain::Noisy);
}
void BM_Dither_Photo_NewColours(benchmark::State& state) {
    dither(state, Grain::Photo, true);
}
BENCHMARK(BM_Dither_Photo)->Apply(beadSizes);
BENCHMARK(BM_Dither_Photo_NewColours)->Apply(beadSizes);
BENCHMARK(BM_Dither_Noisy)->Apply(beadSizes);

}  // namespace
}  // namespace tessora::bench
