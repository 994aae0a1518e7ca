#include "engine/mydither.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/bgrrows.h"
#include "engine/nearest.h"
#include "engine/numbers.h"

namespace tessora {
namespace {

// Error cells hold sixteenths of a colour step; like the 16-bit cells they stand for, they keep
// the low 16 bits of every sum.
using ErrorCell = std::int16_t;
void addTo(ErrorCell& cell, int amount) {
    cell = static_cast<ErrorCell>(cell + amount);
}

bool targetFits(const dib& source, const dib& target) {
    return DibBits(target) == 8 && DibWidth(target) == DibWidth(source) &&
           DibHeight(target) == DibHeight(source);
}

std::array<int, 3> channelsOf(const PalEntry& entry) {
    return {entry.peBlue, entry.peGreen, entry.peRed};
}

struct RowWalk {
    ErrorCell* cur;  // the error this row collected, cell 3 + 3k for the k-th pixel done
    ErrorCell* nxt;  // the error for the next row, filled in that row's (opposite) order
    int x;
    int step;
};

// One pixel: add the carried error, pick the entry, pass the rest on. The three guard cells at
// either end of both arrays take the shares that fall outside the row.
void diffusePixel(RowWalk& walk, const std::uint8_t* sourceBgr, std::uint8_t* targetRow,
                  NearestColorIndex& nearest, const LPAL& palette) {
    std::array<int, 3> v{};
    for (int c = 0; c < 3; ++c) {
        v[c] = std::clamp(sixteenthsToSteps(walk.cur[c]) + sourceBgr[3 * walk.x + c], 0, 255);
    }
    const std::uint8_t idx = nearest.find(v[2], v[1], v[0]);
    targetRow[walk.x] = idx;
    const std::array<int, 3> chosen = channelsOf(palette.rgb0[idx]);
    for (int c = 0; c < 3; ++c) {
        const int e = v[c] - chosen[c];
        walk.nxt[c - 3] = static_cast<ErrorCell>(e);  // first write of that cell in this row
        addTo(walk.nxt[c + 3], 3 * e);
        addTo(walk.nxt[c], 5 * e);
        addTo(walk.cur[c + 3], 7 * e);
    }
    walk.x += walk.step;
    walk.cur += 3;
    walk.nxt -= 3;
}

}  // namespace

void ErrorDiffuse(const dib& source, const dib& target) {
    if (target.poi == nullptr || source.poi == nullptr || !targetFits(source, target)) return;
    const int width = DibWidth(source);
    const int height = DibHeight(source);
    const std::size_t cells = 3 * static_cast<std::size_t>(width) + 6;
    std::vector<ErrorCell> a(cells, 0);
    std::vector<ErrorCell> b(cells, 0);
    NearestColorIndex nearest(target.pal.rgb0);
    std::vector<std::uint8_t> scratch;
    bool rightToLeft = false;
    for (int r = 0; r < height; ++r) {
        const int storedRow = height - 1 - r;  // r counts from the top of the picture
        const bool thisRowRightToLeft = rightToLeft;
        rightToLeft = !rightToLeft;
        std::vector<ErrorCell>& current = thisRowRightToLeft ? b : a;
        std::vector<ErrorCell>& next = thisRowRightToLeft ? a : b;
        RowWalk walk{current.data() + 3, next.data() + 3 * static_cast<std::ptrdiff_t>(width),
                     thisRowRightToLeft ? width - 1 : 0, thisRowRightToLeft ? -1 : 1};
        // Below the first pixel nothing else stores a first share in this row.
        walk.nxt[0] = walk.nxt[1] = walk.nxt[2] = 0;
        const std::uint8_t* sourceBgr = bgrRow(source, storedRow, scratch);
        std::uint8_t* targetRow = DibRow(target, storedRow);
        for (int k = 0; k < width; ++k)
            diffusePixel(walk, sourceBgr, targetRow, nearest, target.pal);
    }
}

}  // namespace tessora
