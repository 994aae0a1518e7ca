#include "output/beadpattern.h"

#include <algorithm>

#include "engine/sizecoupling.h"
#include "imagelib/imagelib.h"
#include "output/beadlookup.h"

namespace tessora {
namespace {

int sampledPosition(int gridLength, int bead, int beads) {
    return static_cast<int>(std::int64_t{gridLength} * bead / beads);
}

}  // namespace

BeadPattern beadPatternOf(const dib& grid, int beadsWide, int beadsHigh, int notfoundis,
                          const BeadRange& range) {
    BeadPattern pattern;
    pattern.range = range;
    pattern.wide = std::clamp(beadsWide, kMinBeads, kMaxBeads);
    pattern.high = std::clamp(beadsHigh, kMinBeads, kMaxBeads);
    pattern.notfoundis = notfoundis;
    for (std::size_t k = 0; k < pattern.palette.size(); ++k) {
        const PalEntry& entry = grid.pal.rgb0[k];
        pattern.palette[k] = qRgb(entry.peRed, entry.peGreen, entry.peBlue);
    }
    pattern.values.resize(static_cast<std::size_t>(pattern.wide) * pattern.high);
    if (grid.poi == nullptr || DibWidth(grid) <= 0 || DibHeight(grid) <= 0) return pattern;
    std::vector<int> columns(static_cast<std::size_t>(pattern.wide));
    for (int i = 0; i < pattern.wide; ++i)
        columns[static_cast<std::size_t>(i)] = sampledPosition(DibWidth(grid), i, pattern.wide);
    auto value = pattern.values.begin();
    for (int j = 0; j < pattern.high; ++j) {
        const int y = sampledPosition(DibHeight(grid), j, pattern.high);
        for (const int x : columns)
            *value++ = static_cast<std::uint8_t>(getpixel(grid, x, y) & 0xFF);
    }
    return pattern;
}

BeadCounts countBeadsIn(const BeadPattern& pattern, int left, int top, int wide, int high) {
    BeadCounts counts{};
    const int right = std::min(pattern.wide, left + wide);
    const int bottom = std::min(pattern.high, top + high);
    for (int row = std::max(0, top); row < bottom; ++row) {
        for (int column = std::max(0, left); column < right; ++column) {
            const int colour = bookColourOf(pattern, pattern.at(column, row));
            if (colour >= 0) ++counts[static_cast<std::size_t>(colour)];
        }
    }
    return counts;
}

}  // namespace tessora
