// Saving the chart of a 1000 x 1000-bead photograph (15,120 x 15,020 pixels, 24 bits, at most 66
// colours) in each format that a large chart is likely saved in. The file goes to the system's
// temporary folder, through SaveDib as the window calls it.

#include <QFileInfo>
#include <QTemporaryDir>

#include "benchcases.h"
#include "engine/chart.h"
#include "imagelib/imagelib.h"

namespace tessora::bench {
namespace {

const dib& largeChart() {
    static OwnedDib chart;
    if (chart.get().poi == nullptr) {
        OwnedDib grid;
        *grid.out() = beadGridOf(cachedPhoto(1000, 1000));
        BeadCounts counts{};
        drawChart(grid.get(), 1000, 1000, 0, *chart.out(), counts);
    }
    return chart.get();
}

void BM_Save(benchmark::State& state) {
    const int format = static_cast<int>(state.range(0));
    const dib& chart = largeChart();
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("chart") +
                                         QString::fromLatin1(SaveExtensions[format - kSaveBmp]));
    for (auto _ : state) {
        if (SaveDib(chart, file, format, nullptr) != ImageError::None) {
            state.SkipWithError("SaveDib failed");
            break;
        }
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(file).size()) / 1e6;
}
BENCHMARK(BM_Save)
    ->ArgName("format")
    ->Arg(kSavePng)
    ->Arg(kSaveTif)
    ->Arg(kSaveJpg)
    ->Arg(kSaveBmp)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tessora::bench
