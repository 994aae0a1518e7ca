// Resize: point-sampling the picture to one pixel per bead.

#include "benchcases.h"
#include "engine/resample.h"

namespace tessora::bench {
namespace {

void BM_Resample(benchmark::State& state) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    const dib& source = sourceFor(wide, high);
    for (auto _ : state) {
        dib grid = Resize(source, wide, high, {});
        benchmark::DoNotOptimize(grid.poi);
        FreeDib(grid);
    }
    countBeads(state, std::int64_t{wide} * high);
}
BENCHMARK(BM_Resample)->Apply(beadSizes);

}  // namespace
}  // namespace tessora::bench
