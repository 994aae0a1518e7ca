#include "engine/reduce.h"

#include <algorithm>
#include <new>
#include <thread>

#include "engine/bgrrows.h"
#include "engine/catalogue.h"
#include "engine/mydither.h"
#include "engine/nearest.h"
#include "engine/numbers.h"
#include "engine/parallel.h"
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

// Threads for a perceptual search: one per this many beads, as far as the machine has cores.
constexpr std::size_t kBeadsPerThread = 20'000;

int threadsFor(std::size_t beads) {
    const auto cores = static_cast<std::size_t>(std::max(1u, std::thread::hardware_concurrency()));
    return static_cast<int>(std::clamp<std::size_t>(beads / kBeadsPerThread, 1, cores));
}

// The rows of one of `parts` threads, from `first` up to `end`.
struct RowRange {
    int first, end;
};
RowRange rowsOfPart(int height, int part, int parts) {
    return {height * part / parts, height * (part + 1) / parts};
}

// Each thread gathers the colours the kept index lacks from its rows and answers the others;
// the missing ones are then searched all together, block of the RGB cube by block and shared
// between the threads, before the rows that lacked them are answered. Every answer is the exact
// one whichever thread gives it.
void perceptualNearestPass(const dib& di, const dib& grid, ColourDistance distance,
                           const ProgressFn& progress) {
    PerceptualNearestIndex& index = perceptualIndexFor(grid.pal.rgb0, distance);
    const int width = DibWidth(di);
    const int height = DibHeight(di);
    const int parts =
        threadsFor(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const auto eachRow = [&](const auto& work) {
        runInParts(parts, [&](int part) {
            std::vector<std::uint8_t> scratch;
            const RowRange rows = rowsOfPart(height, part, parts);
            for (int y = rows.first; y < rows.end; ++y)
                work(bgrRow(di, y, scratch), DibRow(grid, y), part);
        });
    };
    UnknownColours unknown(
        parts, static_cast<std::size_t>(width) * static_cast<std::size_t>(height / parts + 1));
    eachRow([&](const std::uint8_t* bgr, std::uint8_t* beads, int part) {
        index.findKnownRow(bgr, width, beads, unknown, part);
    });
    if (unknown.empty()) return;
    index.learn(unknown, parts, progress);
    eachRow([&](const std::uint8_t* bgr, std::uint8_t* beads, int) {
        index.answerKnownRow(bgr, width, beads);
    });
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
