// The nearest-colour reduction (DepthDownTo with rolmod 0) on grids of smooth, photo-like and
// noisy colours, and the plain search over all 256 entries for comparison.

#include "benchcases.h"
#include "engine/nearest.h"
#include "engine/reduce.h"

namespace tessora::bench {
namespace {

void reduce(benchmark::State& state, Grain grain, int rolmod) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    const dib& grid24 = cachedPhoto(wide, high, grain);
    const LPAL pal = StartPalette();
    const auto ticks = allTicked();
    for (auto _ : state) {
        int notfoundis = 0;
        dib beads = DepthDownTo(grid24, kBeadColorCount, rolmod, pal, ticks, notfoundis, {});
        benchmark::DoNotOptimize(beads.poi);
        FreeDib(beads);
    }
    countBeads(state, std::int64_t{wide} * high);
}

void BM_Nearest_Photo(benchmark::State& state) {
    reduce(state, Grain::Photo, 0);
}
void BM_Nearest_Smooth(benchmark::State& state) {
    reduce(state, Grain::Smooth, 0);
}
void BM_Nearest_Noisy(benchmark::State& state) {
    reduce(state, Grain::Noisy, 0);
}
BENCHMARK(BM_Nearest_Photo)->Apply(beadSizes);
BENCHMARK(BM_Nearest_Smooth)->Apply(beadSizes);
BENCHMARK(BM_Nearest_Noisy)->Apply(beadSizes);

// The first reduction after the colours changed: the index is built anew every time, each cell
// worked out when a bead first falls into it.
void BM_Nearest_NewIndex(benchmark::State& state) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    const dib& grid24 = cachedPhoto(wide, high);
    OwnedDib beads;
    *beads.out() = beadGridOf(grid24);
    for (auto _ : state) {
        NearestColorIndex nearest(beads.get().pal.rgb0);
        for (int y = 0; y < high; ++y)
            nearest.findRow(DibRow(grid24, y), wide, DibRow(beads.get(), y));
        benchmark::ClobberMemory();
    }
    countBeads(state, std::int64_t{wide} * high);
}
BENCHMARK(BM_Nearest_NewIndex)->Apply(beadSizes);

// The plain search the fast one must equal: every entry for every bead.
void BM_Nearest_BruteForce(benchmark::State& state) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    const dib& grid24 = cachedPhoto(wide, high);
    OwnedDib beads;
    *beads.out() = beadGridOf(grid24);
    const PalEntry(&entries)[kPaletteEntries] = beads.get().pal.rgb0;
    for (auto _ : state) {
        for (int y = 0; y < high; ++y) {
            const std::uint8_t* from = DibRow(grid24, y);
            std::uint8_t* to = DibRow(beads.get(), y);
            for (int x = 0; x < wide; ++x)
                to[x] =
                    nearestIndexBruteForce(entries, from[3 * x + 2], from[3 * x + 1], from[3 * x]);
        }
        benchmark::ClobberMemory();
    }
    countBeads(state, std::int64_t{wide} * high);
}
BENCHMARK(BM_Nearest_BruteForce)->Apply(beadSizes);

}  // namespace
}  // namespace tessora::bench
