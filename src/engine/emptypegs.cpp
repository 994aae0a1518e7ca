#include "engine/emptypegs.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "engine/bgrrows.h"
#include "engine/resample.h"

namespace tessora {
namespace {

struct Bgr24 {
    std::uint8_t blue, green, red;
    auto operator<=>(const Bgr24&) const = default;
};

// The grid's colours, rows from the top.
std::vector<Bgr24> gridColours(const dib& grid24) {
    const int width = DibWidth(grid24);
    const int height = DibHeight(grid24);
    std::vector<Bgr24> colours;
    colours.reserve(static_cast<std::size_t>(width) * height);
    std::vector<std::uint8_t> scratch;
    for (int r = 0; r < height; ++r) {
        const std::uint8_t* row = bgrRow(grid24, height - 1 - r, scratch);
        for (int x = 0; x < width; ++x)
            colours.push_back({row[3 * x], row[3 * x + 1], row[3 * x + 2]});
    }
    return colours;
}

bool onBorder(std::size_t bead, int width, int height) {
    const auto x = static_cast<int>(bead % static_cast<std::size_t>(width));
    const auto y = static_cast<int>(bead / static_cast<std::size_t>(width));
    return x == 0 || y == 0 || x == width - 1 || y == height - 1;
}

std::optional<Bgr24> borderColour(const std::vector<Bgr24>& colours, const BeadMask& mask,
                                  int width, int height) {
    std::map<Bgr24, int> counts;
    std::vector<Bgr24> inOrder;
    for (std::size_t bead = 0; bead < colours.size(); ++bead) {
        if (!onBorder(bead, width, height) || mask[bead] != 0) continue;
        if (counts[colours[bead]]++ == 0) inOrder.push_back(colours[bead]);
    }
    std::optional<Bgr24> best;
    for (const Bgr24& c : inOrder) {
        if (!best || counts[c] > counts[*best]) best = c;
    }
    return best;
}

bool withinTolerance(const Bgr24& a, const Bgr24& b, int tolerance) {
    const int limit = 255 * tolerance;  // compared with 100 times the difference
    return 100 * std::abs(a.red - b.red) <= limit && 100 * std::abs(a.green - b.green) <= limit &&
           100 * std::abs(a.blue - b.blue) <= limit;
}

}  // namespace

BeadMask transparentBeads(const AlphaPlane& alpha, int breit, int hoch) {
    if (alpha.width <= 0 || alpha.height <= 0 ||
        alpha.alpha.size() < static_cast<std::size_t>(alpha.width) * alpha.height)
        return {};
    // Resize samples stored rows, which run from the bottom: grid row r from the top is stored
    // row hoch - 1 - r and takes the picture's stored row rows[hoch - 1 - r].
    const std::vector<int> columns = samplePositions(alpha.width, breit);
    const std::vector<int> rows = samplePositions(alpha.height, hoch);
    BeadMask mask(static_cast<std::size_t>(breit) * hoch, 0);
    bool any = false;
    for (int r = 0; r < hoch; ++r) {
        const int pictureRow = alpha.height - 1 - rows[static_cast<std::size_t>(hoch - 1 - r)];
        const std::uint8_t* line =
            alpha.alpha.data() + static_cast<std::size_t>(pictureRow) * alpha.width;
        for (int x = 0; x < breit; ++x) {
            const bool transparent = line[columns[static_cast<std::size_t>(x)]] < kOpaqueFrom;
            mask[static_cast<std::size_t>(r) * breit + x] = transparent ? 1 : 0;
            any = any || transparent;
        }
    }
    if (!any) mask.clear();
    return mask;
}

void removeBackground(const dib& grid24, int tolerance, BeadMask& mask) {
    const int width = DibWidth(grid24);
    const int height = DibHeight(grid24);
    if (grid24.poi == nullptr || width <= 0 || height <= 0) return;
    const std::size_t beads = static_cast<std::size_t>(width) * height;
    if (mask.size() != beads) mask.assign(beads, 0);
    tolerance = std::clamp(tolerance, 0, 100);
    const std::vector<Bgr24> colours = gridColours(grid24);
    const std::optional<Bgr24> border = borderColour(colours, mask, width, height);
    if (!border) return;
    // Reached beads go on a stack once; `seen` keeps empty beads from being walked twice.
    std::vector<std::uint8_t> seen(beads, 0);
    std::vector<std::size_t> stack;
    const auto visit = [&](std::size_t bead) {
        if (seen[bead] != 0) return;
        if (mask[bead] == 0 && !withinTolerance(colours[bead], *border, tolerance)) return;
        seen[bead] = 1;
        mask[bead] = 1;
        stack.push_back(bead);
    };
    for (std::size_t bead = 0; bead < beads; ++bead) {
        if (onBorder(bead, width, height)) visit(bead);
    }
    const auto w = static_cast<std::size_t>(width);
    while (!stack.empty()) {
        const std::size_t bead = stack.back();
        stack.pop_back();
        const std::size_t x = bead % w;
        if (x > 0) visit(bead - 1);
        if (x + 1 < w) visit(bead + 1);
        if (bead >= w) visit(bead - w);
        if (bead + w < beads) visit(bead + w);
    }
}

void markEmptyPegs(const dib& beads, const BeadMask& mask) {
    const int width = DibWidth(beads);
    const int height = DibHeight(beads);
    if (beads.poi == nullptr || DibBits(beads) != 8 ||
        mask.size() != static_cast<std::size_t>(width) * height)
        return;
    for (int r = 0; r < height; ++r) {
        std::uint8_t* row = DibRow(beads, height - 1 - r);
        const std::uint8_t* empty = mask.data() + static_cast<std::size_t>(r) * width;
        for (int x = 0; x < width; ++x) {
            if (empty[x] != 0) row[x] = kEmptyPeg;
        }
    }
}

}  // namespace tessora
