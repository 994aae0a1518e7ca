// Painting one 800 x 600 screen of the window's views, scrolled to the middle: the result view
// of a 1000 x 1000-bead chart at zoom 100 %, 1000 % and 10000 %, and the edit view of the
// same bead grid in edit mode (30 pixels per bead, 30,000 x 31,000) and in view mode.

#include <QImage>
#include <QPainter>

#include "benchcases.h"
#include "engine/chart.h"
#include "ui/beadviews.h"

namespace tessora::bench {
namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
const QColor kBackground(240, 240, 240);

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

template <typename PaintFrame>
void paintFrames(benchmark::State& state, QSize viewSize, const PaintFrame& paintFrame) {
    QImage screen(kScreenWidth, kScreenHeight, QImage::Format_ARGB32_Premultiplied);
    const QPoint origin((viewSize.width() - kScreenWidth) / 2,
                        (viewSize.height() - kScreenHeight) / 2);
    const QRect exposed(0, 0, kScreenWidth, kScreenHeight);
    for (auto _ : state) {
        QPainter painter(&screen);
        paintFrame(painter, exposed, origin);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void BM_View_Result(benchmark::State& state) {
    const dib& chart = largeChart();
    const int zoom = static_cast<int>(state.range(0));
    const QSize size = resultViewSize(chart, zoom);
    paintFrames(state, size, [&](QPainter& painter, const QRect& exposed, QPoint origin) {
        paintResultView(painter, exposed, origin, chart, size, kBackground);
    });
}
BENCHMARK(BM_View_Result)
    ->ArgName("zoom")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

void BM_View_Edit(benchmark::State& state) {
    const dib& grid = largeGrid();
    const bool editMode = state.range(0) != 0;
    const EditViewLayout layout = makeEditViewLayout(grid, editMode, 1000, 1000);
    paintFrames(state, layout.viewSize(),
                [&](QPainter& painter, const QRect& exposed, QPoint origin) {
                    paintEditView(painter, exposed, origin, grid, layout, kBackground);
                });
}
BENCHMARK(BM_View_Edit)->ArgName("editmode")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessora::bench
