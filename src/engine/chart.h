#pragma once
// The bead chart: every bead a coloured cell with its colour number, odd row numbers and tick
// lines in both side margins; and the bead counts of the statistics.

#include <QStringList>
#include <array>
#include <cstdint>

#include "engine/beadrange.h"
#include "engine/engineerror.h"
#include "imagelib/dib.h"

namespace tessora {

constexpr int kChartMarginX = 60;  // each side margin, with the labels and ticks
constexpr int kChartMarginY = 10;  // above and below the beads
constexpr int kChartBaseCell = 15;

struct ChartGeometry {
    int cellWidth;
    int cellHeight;
    int width;   // beads wide x cell width + 120
    int height;  // beads high x cell height + 20
};

// Cells 15 pixels wide and 15 x wide / high high for a motif at least as wide as high, else
// 15 high and 15 x high / wide wide (both truncated), so the bead area is nearly square.
ChartGeometry chartGeometry(int beadsWide, int beadsHigh);

// Counts per range colour; entries beyond the range stay 0.
using BeadCounts = std::array<int, kMaxRangeColors>;

// A colour value (red in the low byte, green, blue in the third byte) taken apart.
void SplitColor(int color, int& red, int& green, int& blue);

// The chart's pixel bytes at `beadsWide` x `beadsHigh` beads (clamped as drawChart does).
std::uint64_t chartBytes(int beadsWide, int beadsHigh);

constexpr std::uint64_t kNoChartLimit = UINT64_MAX;

// Draws the chart of `grid` at `beadsWide` x `beadsHigh` beads (a grid of another size is
// sampled by integer scaling) into `rdi` and counts the beads of each colour of `range`, whose
// numbers the cells show. Grid values outside the range's slots count as `notfoundis`. The old
// chart is released first, or its memory reused when the size stays; on lack of memory, or when
// the chart would take more than `maxChartBytes`, `rdi` is left empty and the counts are still
// made.
EngineError drawChart(const dib& grid, int beadsWide, int beadsHigh, int notfoundis, dib& rdi,
                      BeadCounts& counts, const BeadRange& range,
                      std::uint64_t maxChartBytes = kNoChartLimit);

// The same with the standard range.
EngineError drawChart(const dib& grid, int beadsWide, int beadsHigh, int notfoundis, dib& rdi,
                      BeadCounts& counts);

// One line per used colour in range order: the colour's number, ": " and the count.
QStringList statisticsLines(const BeadCounts& counts, const BeadRange& range);

// The same with the standard range.
QStringList statisticsLines(const BeadCounts& counts);

}  // namespace tessora
