// The nearest-colour reduction under the perceptual distances on the photo-like picture: with
// the palette's tables ready (the kept index of the last calculation), with a new index, as
// after a change of colours or of the distance, and the whole reduction after such a change.

#include "benchcases.h"
#include "engine/perceptualnearest.h"
#include "engine/reduce.h"

namespace tessora::bench {
namespace {

// The calculate command's reduction. With `changeColours`, every other run moves one catalogue
// colour by a step, so the kept index never fits and each run builds its tables anew, as right
// after a change of colours; otherwise the tables of the last run stay ready.
void reduce(benchmark::State& state, ColourDistance distance, bool changeColours) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    const dib& grid24 = cachedPhoto(wide, high);
    LPAL pal = StartPalette();
    const auto ticks = allTicked();
    const std::uint8_t red = pal.rgb0[0].peRed;
    static bool moved = false;  // across repetitions too: no run may find its colours kept
    for (auto _ : state) {
        if (changeColours) {
            moved = !moved;
            pal.rgb0[0].peRed = red ^ static_cast<std::uint8_t>(moved);
        }
        int notfoundis = 0;
        dib beads = DepthDownTo(grid24, kBeadColorCount, 0, pal, ticks, notfoundis, {},
                                {distance, nullptr});
        benchmark::DoNotOptimize(beads.poi);
        FreeDib(beads);
    }
    countBeads(state, std::int64_t{wide} * high);
}

void reduceKept(benchmark::State& state, ColourDistance distance) {
    reduce(state, distance, false);
}

void reduceAfterPaletteChange(benchmark::State& state, ColourDistance distance) {
    reduce(state, distance, true);
}

// A new index on one thread: colour by colour, as dithering asks, or with the colours searched
// together first, as the calculate command does on each of its threads.
void newIndex(benchmark::State& state, ColourDistance distance, bool together = false) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    const dib& grid24 = cachedPhoto(wide, high);
    OwnedDib beads;
    *beads.out() = beadGridOf(grid24);
    for (auto _ : state) {
        PerceptualNearestIndex nearest(beads.get().pal.rgb0, distance);
        if (together) {
            UnknownColours unknown(1, static_cast<std::size_t>(wide) * high);
            for (int y = 0; y < high; ++y)
                nearest.findKnownRow(DibRow(grid24, y), wide, DibRow(beads.get(), y), unknown);
            nearest.learn(unknown, 1, {});
        }
        for (int y = 0; y < high; ++y)
            nearest.findRow(DibRow(grid24, y), wide, DibRow(beads.get(), y));
        benchmark::ClobberMemory();
    }
    countBeads(state, std::int64_t{wide} * high);
}

void BM_Nearest_Ciede2000_OneThread(benchmark::State& state) {
    newIndex(state, ColourDistance::Ciede2000, true);
}
BENCHMARK(BM_Nearest_Ciede2000_OneThread)->Apply(beadSizes);

void BM_Nearest_Oklab(benchmark::State& state) {
    reduceKept(state, ColourDistance::Oklab);
}
void BM_Nearest_Ciede2000(benchmark::State& state) {
    reduceKept(state, ColourDistance::Ciede2000);
}
void BM_Nearest_Oklab_NewIndex(benchmark::State& state) {
    newIndex(state, ColourDistance::Oklab);
}
void BM_Nearest_Ciede2000_NewIndex(benchmark::State& state) {
    newIndex(state, ColourDistance::Ciede2000);
}
void BM_Nearest_Oklab_PaletteChanged(benchmark::State& state) {
    reduceAfterPaletteChange(state, ColourDistance::Oklab);
}
void BM_Nearest_Ciede2000_PaletteChanged(benchmark::State& state) {
    reduceAfterPaletteChange(state, ColourDistance::Ciede2000);
}
BENCHMARK(BM_Nearest_Oklab)->Apply(beadSizes);
BENCHMARK(BM_Nearest_Ciede2000)->Apply(beadSizes);
BENCHMARK(BM_Nearest_Oklab_NewIndex)->Apply(beadSizes);
BENCHMARK(BM_Nearest_Ciede2000_NewIndex)->Apply(beadSizes);
BENCHMARK(BM_Nearest_Oklab_PaletteChanged)->Apply(beadSizes);
BENCHMARK(BM_Nearest_Ciede2000_PaletteChanged)->Apply(beadSizes);

}  // namespace
}  // namespace tessora::bench
