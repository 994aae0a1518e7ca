#include "engine/mydither.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/bgrrows.h"
#include "engine/nearest.h"
#include "engine/numbers.h"
#include "engine/perceptualnearest.h"

namespace tessora {
namespace {

// Error cells hold sixteenths of a colour step, 3 per pixel (blue, green, red) after 3 guard
// cells, in the order the row that reads them runs. No cell ever leaves the 16-bit range: an
// error is at most 255 in magnitude and a cell collects at most 16 of them.
using ErrorCell = std::int16_t;
using Channels = std::array<int, 3>;  // blue, green, red

bool targetFits(const dib& source, const dib& target) {
    return DibBits(target) == 8 && DibWidth(target) == DibWidth(source) &&
           DibHeight(target) == DibHeight(source);
}

// One row. Of the four shares of a pixel's error, the 7/16 for the next pixel of the row is
// carried in a register (no later row reads it), and the three for the row below (1/16 ahead,
// 5/16 below, 3/16 behind, in the order of this row) are summed in registers: the cell below
// the k-th pixel done gets e(k-1) + 5 e(k) + 3 e(k+1) and is stored once, when pixel k+1 is
// done. Error arrays that are updated share by share give exactly these cells.
template <class Finder>
class RowDiffusion {
  public:
    RowDiffusion(Finder& nearest, const LPAL& palette) : nearest_(nearest), palette_(palette) {}

    // `current`: the cells this row reads; `next`: the cells the next row reads, which runs the
    // other way, so the cell below the k-th pixel done is next[3 * (width - 1 - k) + 3 + c].
    // `empty`: the row's empty pegs from the left, or null.
    void run(const std::uint8_t* sourceBgr, std::uint8_t* targetRow, int width, bool rightToLeft,
             const ErrorCell* current, ErrorCell* next, const std::uint8_t* empty) {
        Channels carried{};  // 7 e of the pixel before, for this one
        Channels before{};   // e of the pixel before
        Channels twoBefore{};
        const int step = rightToLeft ? -1 : 1;
        int x = rightToLeft ? width - 1 : 0;
        for (int k = 0; k < width; ++k, x += step) {
            const Channels e =
                empty != nullptr && empty[x] != 0
                    ? Channels{}
                    : diffusePixel(sourceBgr + 3 * x, targetRow + x, current + 3 + 3 * k, carried);
            ErrorCell* below = next + 3 * (width - k) + 3;  // below the pixel before
            for (int c = 0; c < 3; ++c) {
                if (k > 0)
                    below[c] = static_cast<ErrorCell>(twoBefore[c] + 5 * before[c] + 3 * e[c]);
                carried[c] = 7 * e[c];
                twoBefore[c] = before[c];
                before[c] = e[c];
            }
        }
        ErrorCell* below = next + 3;  // below the last pixel done
        for (int c = 0; c < 3; ++c)
            below[c] = static_cast<ErrorCell>(twoBefore[c] + 5 * before[c]);
    }

  private:
    // Adds the carried error, picks the entry, returns the error left.
    Channels diffusePixel(const std::uint8_t* source, std::uint8_t* target, const ErrorCell* cells,
                          const Channels& carried) {
        Channels v{};
        for (int c = 0; c < 3; ++c)
            v[c] = std::clamp(sixteenthsToSteps(cells[c] + carried[c]) + source[c], 0, 255);
        const std::uint8_t idx = nearest_.find(v[2], v[1], v[0]);
        *target = idx;
        const PalEntry& chosen = palette_.rgb0[idx];
        return {v[0] - chosen.peBlue, v[1] - chosen.peGreen, v[2] - chosen.peRed};
    }

    Finder& nearest_;
    const LPAL& palette_;
};

template <class Finder>
void diffuseRows(const dib& source, const dib& target, Finder& nearest, const BeadMask* empty) {
    const int width = DibWidth(source);
    const int height = DibHeight(source);
    const std::size_t cells = 3 * static_cast<std::size_t>(width) + 6;
    std::vector<ErrorCell> a(cells, 0);  // the top row starts without error
    std::vector<ErrorCell> b(cells, 0);
    RowDiffusion<Finder> row(nearest, target.pal);
    std::vector<std::uint8_t> scratch;
    for (int r = 0; r < height; ++r) {
        const int storedRow = height - 1 - r;  // r counts from the top of the picture
        const bool rightToLeft = r % 2 == 1;
        const std::vector<ErrorCell>& current = rightToLeft ? b : a;
        std::vector<ErrorCell>& next = rightToLeft ? a : b;
        const std::uint8_t* emptyRow =
            empty != nullptr ? empty->data() + static_cast<std::size_t>(r) * width : nullptr;
        row.run(bgrRow(source, storedRow, scratch), DibRow(target, storedRow), width, rightToLeft,
                current.data(), next.data(), emptyRow);
    }
}

}  // namespace

void ErrorDiffuse(const dib& source, const dib& target, ColourDistance distance,
                  const BeadMask* emptyBeads) {
    if (target.poi == nullptr || source.poi == nullptr || !targetFits(source, target)) return;
    const auto beads = static_cast<std::size_t>(DibWidth(source)) * DibHeight(source);
    if (emptyBeads != nullptr && emptyBeads->size() != beads) emptyBeads = nullptr;
    if (distance == ColourDistance::Rgb) {
        diffuseRows(source, target, nearestIndexFor(target.pal.rgb0), emptyBeads);
    } else {
        diffuseRows(source, target, perceptualIndexFor(target.pal.rgb0, distance), emptyBeads);
    }
}

}  // namespace tessora
