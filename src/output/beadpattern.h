#pragma once
// The beads of a pattern as the chart shows them: one grid value per bead, rows from the top,
// and the grid palette that colours them.

#include <QRgb>
#include <array>
#include <cstdint>
#include <vector>

#include "engine/beadrange.h"
#include "engine/chart.h"
#include "imagelib/dib.h"

namespace tessora {

struct BeadPattern {
    int wide = 0;
    int high = 0;
    int notfoundis = 0;
    std::vector<std::uint8_t> values;   // wide x high, row by row from the top
    std::array<QRgb, 256> palette{};    // the grid palette, exactly
    BeadRange range = standardRange();  // what the colours are counted, numbered and named as

    std::uint8_t at(int column, int row) const {
        return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(wide) +
                      static_cast<std::size_t>(column)];
    }
};

// `grid` at `beadsWide` x `beadsHigh` beads; a grid of another size is sampled by the chart's
// integer scaling, so book and chart show the same beads. Grid values are palette indices;
// `range` numbers and names their colours.
BeadPattern beadPatternOf(const dib& grid, int beadsWide, int beadsHigh, int notfoundis,
                          const BeadRange& range = standardRange());

// Beads per colour of the pattern's range in columns [left, left + wide) and rows
// [top, top + high).
BeadCounts countBeadsIn(const BeadPattern& pattern, int left, int top, int wide, int high);

}  // namespace tessora
