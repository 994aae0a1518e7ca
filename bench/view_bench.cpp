// Painting one 800 x 600 screen of a view through the drawing routine: the chart of a
// 1000 x 1000-bead motif at zoom 100 % and 1000 %, and the bead grid enlarged to
// 30,000 x 31,000 pixels, each scrolled to the middle.

#include <QImage>
#include <QPainter>

#include "benchcases.h"
#include "engine/chart.h"
#include "imagelib/drawinview.h"

namespace tessora::bench {
namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

const dib& largeGrid() {
    static OwnedDib grid;
    if (!grid.hasPixels()) *grid.out() = beadGridOf(cachedPhoto(1000, 1000));
    return grid.get();
}

const dib& largeChart() {
    static OwnedDib chart;
    if (!chart.hasPixels()) {
        BeadCounts counts{};
        drawChart(largeGrid(), 1000, 1000, 0, *chart.out(), counts);
    }
    return chart.get();
}

void paintFrames(benchmark::State& state, const dib& image, int destWidth, int destHeight) {
    QImage screen(kScreenWidth, kScreenHeight, QImage::Format_ARGB32_Premultiplied);
    const QPoint origin((destWidth - kScreenWidth) / 2, (destHeight - kScreenHeight) / 2);
    const QRect exposed(0, 0, kScreenWidth, kScreenHeight);
    for (auto _ : state) {
        QPainter painter(&screen);
        drawDibInView(painter, exposed, origin, IntRect{0, 0, destWidth, destHeight}, image, true);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void BM_View_Chart(benchmark::State& state) {
    const dib& chart = largeChart();
    const int zoom = static_cast<int>(state.range(0));
    paintFrames(state, chart, DibWidth(chart) * zoom / 100, DibHeight(chart) * zoom / 100);
}
BENCHMARK(BM_View_Chart)->ArgName("zoom")->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_View_EnlargedGrid(benchmark::State& state) {
    paintFrames(state, largeGrid(), 30000, 31000);
}
BENCHMARK(BM_View_EnlargedGrid)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessora::bench
