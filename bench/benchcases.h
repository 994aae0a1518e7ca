#pragma once
// What the stage benchmarks share: the three bead sizes, pictures made once per run, and a
// counter in milliseconds per million beads.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <tuple>

#include "benchpictures.h"
#include "imagelib/owneddib.h"

namespace tessora::bench {

// Start-up size, a small motif and the largest motif.
inline void beadSizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"wide", "high"});
    b->Args({30, 19})->Args({100, 100})->Args({1000, 1000});
    b->Unit(benchmark::kMillisecond);
}

// A photo-like picture, made on first use and kept for the whole run.
inline const dib& cachedPhoto(int width, int height, Grain grain = Grain::Photo) {
    static std::map<std::tuple<int, int, Grain>, std::unique_ptr<OwnedDib>> pictures;
    auto& slot = pictures[{width, height, grain}];
    if (!slot) {
        slot = std::make_unique<OwnedDib>();
        *slot->out() = photoPicture(width, height, grain);
    }
    return slot->get();
}

// The picture a motif of this size is made from: the start picture's 320 x 200 for the
// start-up size, otherwise a 2000 x 2000 photograph.
inline const dib& sourceFor(int beadsWide, int beadsHigh) {
    if (beadsWide <= 30 && beadsHigh <= 19) return cachedPhoto(320, 200);
    return cachedPhoto(2000, 2000);
}

// Milliseconds per million beads, next to the time per call.
inline void countBeads(benchmark::State& state, std::int64_t beads) {
    state.counters["ms_per_Mbead"] = benchmark::Counter(
        static_cast<double>(beads) * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace tessora::bench
