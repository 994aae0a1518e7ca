#include "engine/reduce.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <new>
#include <thread>

#include "engine/bgrrows.h"
#include "engine/catalogue.h"
#include "engine/mydither.h"
#include "engine/nearest.h"
#include "engine/numbers.h"
#include "engine/perceptualnearest.h"
#include "engine/progress.h"

namespace tessora {
namespace {

struct Rgb {
    std::uint8_t red, green, blue;
};

bool isTicked(std::span<const bool> selection, int i) {
    return i < static_cast<int>(selection.size()) && selection[i];
}

// Catalogue entries that have a slot of their own: slot i + 10 must stay within 256 entries.
int usableEntries(int zcols) {
    return std::clamp(zcols, 0, kPaletteEntries - PaletteSlotBase);
}

void setPaletteEntry(dib& grid, int slot, Rgb colour) {
    PalEntry& entry = grid.pal.rgb0[slot];
    entry.peRed = colour.red;
    entry.peGreen = colour.green;
    entry.peBlue = colour.blue;
    RgbQuad& quad = DibColorTable(grid)[slot];
    quad.rgbRed = colour.red;
    quad.rgbGreen = colour.green;
    quad.rgbBlue = colour.blue;
}

void fillGridPalette(dib& grid, const std::array<Rgb, kPaletteEntries>& working, int entries,
                     std::span<const bool> selection) {
    for (int slot = 0; slot < kPaletteEntries; ++slot)
        setPaletteEntry(grid, slot, working[0]);
    for (int i = 0; i < entries; ++i) {
        if (isTicked(selection, i)) setPaletteEntry(grid, i + PaletteSlotBase, working[i]);
    }
}

template <class Finder>
void nearestPass(const dib& di, const dib& grid, Finder& nearest, const ProgressFn& progress) {
    const int width = DibWidth(di);
    const int height = DibHeight(di);
    std::vector<std::uint8_t> scratch;
    for (int y = 0; y < height; ++y) {
        report(progress, rowPercent(y, height));
        nearest.findRow(bgrRow(di, y, scratch), width, DibRow(grid, y));
    }
}

// Rows first to last - 1 of the grid.
void perceptualRows(const dib& di, const dib& grid, int first, int last,
                    PerceptualNearestIndex& nearest, const ProgressFn& progress) {
    const int width = DibWidth(di);
    std::vector<std::uint8_t> scratch;
    for (int y = first; y < last; ++y) {
        report(progress, rowPercent(y - first, last - first));
        nearest.findRow(bgrRow(di, y, scratch), width, DibRow(grid, y));
    }
}

// A second thread pays for itself when the kept index lacks the answers of many beads.
bool worthASecondThread(const dib& di, const PerceptualNearestIndex& kept) {
    constexpr long kFewBeads = 100'000;
    const int width = DibWidth(di), height = DibHeight(di);
    if (std::thread::hardware_concurrency() < 2 || long{width} * height < kFewBeads) return false;
    long unknown = 0;
    std::vector<std::uint8_t> scratch;
    for (int y = height / 2; y < height; ++y) {
        const std::uint8_t* bgr = bgrRow(di, y, scratch);
        for (int x = 0; x < width; ++x, bgr += 3)
            unknown += kept.knows(bgr[2], bgr[1], bgr[0]) ? 0 : 1;
    }
    return unknown > kFewBeads / 4;
}

// The perceptual search costs most on the first calculation with new colours: the lower half of
// the picture then goes to a second thread with an index of its own, whose answers the kept
// index takes afterwards. Every answer is the exact one whichever index gives it.
void perceptualNearestPass(const dib& di, const dib& grid, ColourDistance distance,
                           const ProgressFn& progress) {
    PerceptualNearestIndex& kept = perceptualIndexFor(grid.pal.rgb0, distance);
    const int height = DibHeight(di);
    if (!worthASecondThread(di, kept)) {
        perceptualRows(di, grid, 0, height, kept, progress);
        return;
    }
    const int split = height / 2;
    std::unique_ptr<PerceptualNearestIndex> lower;
    std::exception_ptr failure;
    {
        const std::jthread helper([&] {
            try {
                lower = std::make_unique<PerceptualNearestIndex>(grid.pal.rgb0, distance);
                perceptualRows(di, grid, split, height, *lower, {});
            } catch (...) {
                failure = std::current_exception();
            }
        });
        perceptualRows(di, grid, 0, split, kept, progress);
    }
    if (failure) std::rethrow_exception(failure);
    kept.adopt(*lower);
}

void nearestPass(const dib& di, const dib& grid, ColourDistance distance,
                 const ProgressFn& progress) {
    if (distance == ColourDistance::Rgb) {
        nearestPass(di, grid, nearestIndexFor(grid.pal.rgb0), progress);
    } else {
        perceptualNearestPass(di, grid, distance, progress);
    }
}

const BeadMask* maskFitting(const dib& di, const BeadMask* mask) {
    const auto beads = static_cast<std::size_t>(DibWidth(di)) * DibHeight(di);
    return mask != nullptr && mask->size() == beads ? mask : nullptr;
}

}  // namespace

dib DepthDownTo(const dib& di, int zcols, int rolmod, const LPAL& pal,
                std::span<const bool> selection, int& notfoundis, const ProgressFn& progress,
                const ReductionChoices& choices) {
    std::array<Rgb, kPaletteEntries> working{};
    for (int i = 0; i < kPaletteEntries; ++i) {
        working[i] = {pal.rgb0[i].peRed, pal.rgb0[i].peGreen, pal.rgb0[i].peBlue};
    }
    report(progress, 0);
    const int entries = usableEntries(zcols);
    for (int i = 0; i < entries; ++i) {
        if (isTicked(selection, i)) {
            working[0] = working[i];
            notfoundis = i;
            break;
        }
    }
    dib grid{};
    newdib(&grid, DibWidth(di), DibHeight(di), 8, nullptr, 0);
    if (grid.poih != 0) {
        fillGridPalette(grid, working, entries, selection);
        const BeadMask* empty = maskFitting(di, choices.emptyBeads);
        try {
            if (rolmod == 1) {
                ErrorDiffuse(di, grid, choices.distance, empty);
            } else if (di.poi != nullptr) {
                nearestPass(di, grid, choices.distance, progress);
            }
            if (empty != nullptr) markEmptyPegs(grid, *empty);
        } catch (const std::bad_alloc&) {
            // The search tables or the error rows could not be had: no grid rather than a
            // half-reduced one, and the caller keeps its old grid.
            FreeDib(grid);
        }
    }
    report(progress, 0);
    return grid;
}

}  // namespace tessora
