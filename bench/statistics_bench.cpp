// The statistics lines from the bead counts of a chart.

#include "benchcases.h"
#include "engine/chart.h"

namespace tessora::bench {
namespace {

void BM_Statistics(benchmark::State& state) {
    const int wide = static_cast<int>(state.range(0));
    const int high = static_cast<int>(state.range(1));
    OwnedDib grid;
    *grid.out() = beadGridOf(cachedPhoto(wide, high));
    OwnedDib chart;
    BeadCounts counts{};
    drawChart(grid.get(), wide, high, 0, *chart.out(), counts);
    for (auto _ : state) {
        const QString text = statisticsLines(counts).join(u'\n');
        benchmark::DoNotOptimize(text.constData());
    }
}
BENCHMARK(BM_Statistics)->Apply(beadSizes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessora::bench
