#include "engine/chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/chartcanvas.h"
#include "engine/emptypegs.h"
#include "engine/glyphs.h"
#include "engine/numbers.h"
#include "engine/sizecoupling.h"
#include "imagelib/imagelib.h"

namespace tessora {
namespace {

constexpr int kBrightnessForBlack = 128;
constexpr int kTickLength = 49;        // a tick covers x 0 to 48, and the last 50 columns but one
constexpr int kRightLabelOffset = 40;  // right labels start 40 pixels before the chart's edge
constexpr Bgr kEmptyPegRing{192, 192, 192};

// How one bead is drawn: the cell's fill, its border and number colour, and its catalogue
// colour (-1: no number and no count); an empty peg also gets a ring.
struct BeadLook {
    Bgr fill;
    Bgr contrast;
    int catalogue;
    bool emptyPeg = false;
};

Bgr contrastFor(int red, int green, int blue) {
    return (red + green + blue) / 3 >= kBrightnessForBlack ? kBlack : kWhite;
}

// The catalogue colour a bead of this pixel value is counted as; a value of no catalogue colour
// counts as the colour `notfoundis` names. In a grid of palette indices an empty peg is no bead.
int catalogueOf(std::uint32_t value, int notfoundis, bool indexed) {
    if (indexed && value == kEmptyPeg) return -1;
    const int catalogue = CatalogueIndexOfPixel(static_cast<int>(value));
    return catalogue >= 0 ? catalogue : CatalogueIndexOfPixel(notfoundis + PaletteSlotBase);
}

BeadLook lookOf(std::uint32_t value, const dib& grid, bool indexed, int notfoundis) {
    if (indexed && value == kEmptyPeg) return {kWhite, kEmptyPegRing, -1, true};
    int color = static_cast<int>(value & 0xFFFFFF);
    if (indexed) {
        const PalEntry& entry = grid.pal.rgb0[value & 0xFF];
        color = entry.peRed + 256 * entry.peGreen + 65536 * entry.peBlue;
    }
    int red = 0, green = 0, blue = 0;
    SplitColor(color, red, green, blue);
    return {Bgr{static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green),
                static_cast<std::uint8_t>(red)},
            contrastFor(red, green, blue), catalogueOf(value, notfoundis, indexed)};
}

// Which grid pixel each bead shows: grid length * bead / beads, in integers.
std::vector<int> sampledPositions(int gridLength, int beads) {
    std::vector<int> positions(static_cast<std::size_t>(beads));
    for (int k = 0; k < beads; ++k)
        positions[static_cast<std::size_t>(k)] =
            static_cast<int>(std::int64_t{gridLength} * k / beads);
    return positions;
}

// The pixel value of every bead, row by row from the top; the grid is sampled by integer
// scaling. An 8-bit grid, the one the calculate command makes, is read straight from its rows.
std::vector<std::uint32_t> sampleValues(const dib& grid, int beadsWide, int beadsHigh) {
    const std::vector<int> columns = sampledPositions(DibWidth(grid), beadsWide);
    const std::vector<int> rows = sampledPositions(DibHeight(grid), beadsHigh);
    std::vector<std::uint32_t> values;
    values.reserve(static_cast<std::size_t>(beadsWide) * beadsHigh);
    const bool bytes = DibBits(grid) == 8 && grid.poi != nullptr;
    for (const int y : rows) {
        const std::uint8_t* row = bytes ? DibRow(grid, DibHeight(grid) - 1 - y) : nullptr;
        for (const int x : columns)
            values.push_back(bytes ? row[x] : getpixel(grid, x, y));
    }
    return values;
}

BeadCounts countBeads(const std::vector<std::uint32_t>& values, int notfoundis, bool indexed) {
    BeadCounts counts{};
    for (const std::uint32_t value : values) {
        const int catalogue = catalogueOf(value, notfoundis, indexed);
        if (catalogue >= 0) ++counts[static_cast<std::size_t>(catalogue)];
    }
    return counts;
}

// One drawn cell, cell width x cell height triples of blue, green, red: the fill, a 1-pixel
// border inside the cell and the colour number one pixel in from the left edge.
class CellImage {
  public:
    CellImage(const BeadLook& look, const ChartGeometry& g)
        : width_(g.cellWidth), pixels_(3 * static_cast<std::size_t>(g.cellWidth) * g.cellHeight) {
        for (int y = 0; y < g.cellHeight; ++y) {
            std::uint8_t* line = row(y);
            const bool edge = y == 0 || y == g.cellHeight - 1;
            fillBgr(line, 0, width_, edge ? look.contrast : look.fill);
            fillBgr(line, 0, 1, look.contrast);
            fillBgr(line, width_ - 1, width_, look.contrast);
        }
        if (look.catalogue >= 0) drawNumber(look, g);
        if (look.emptyPeg) drawRing(look.contrast, g);
    }
    const std::uint8_t* row(int y) const {
        return pixels_.data() + 3 * static_cast<std::size_t>(width_) * y;
    }
    std::size_t rowBytes() const { return 3 * static_cast<std::size_t>(width_); }

  private:
    std::uint8_t* row(int y) { return pixels_.data() + 3 * static_cast<std::size_t>(width_) * y; }

    void drawNumber(const BeadLook& look, const ChartGeometry& g) {
        const QString text = QString::fromLatin1(BeadNumbers[look.catalogue]);
        const int fontHeight = fittedFontHeight(text, g.cellWidth - 2, g.cellHeight);
        const auto mask = textMask(text, fontHeight);
        // Ink never leaves its cell, so cells can be drawn in any order.
        for (int y = 0; y < std::min(mask->rows(), g.cellHeight); ++y) {
            for (int s = mask->rowStart[y]; s < mask->rowStart[y + 1]; ++s) {
                const InkSpan& span = mask->spans[s];
                fillBgr(row(y), std::min(1 + span.left, width_), std::min(1 + span.right, width_),
                        look.contrast);
            }
        }
    }

    // A circle of a third of the cell's shorter side across, one pixel wide: the bare peg.
    void drawRing(Bgr colour, const ChartGeometry& g) {
        const double radius = std::max(1.0, std::min(g.cellWidth, g.cellHeight) / 3.0);
        const double cx = (g.cellWidth - 1) / 2.0;
        const double cy = (g.cellHeight - 1) / 2.0;
        for (int y = 0; y < g.cellHeight; ++y) {
            for (int x = 0; x < g.cellWidth; ++x) {
                if (std::abs(std::hypot(x - cx, y - cy) - radius) < 0.5)
                    fillBgr(row(y), x, x + 1, colour);
            }
        }
    }

    int width_;
    std::vector<std::uint8_t> pixels_;
};

// Copies a row of a cell; the short rows of ordinary cells with a few 16-byte moves instead of a
// call, since a large chart copies fifteen million of them.
void copyCellRow(std::uint8_t* to, const std::uint8_t* from, std::size_t bytes) {
    constexpr std::size_t kMove = 16;
    if (bytes < kMove || bytes > 4 * kMove) {
        std::memcpy(to, from, bytes);
        return;
    }
    for (std::size_t k = 0; k + kMove < bytes; k += kMove)
        std::memcpy(to + k, from + k, kMove);
    std::memcpy(to + bytes - kMove, from + bytes - kMove, kMove);  // the last, overlapping
}

// In a grid of at most 256 colours the pixel value decides how a bead looks, so each value
// that occurs is drawn once and its rows are copied into every bead that has it.
class ValueCells {
  public:
    ValueCells(const dib& grid, const std::vector<std::uint32_t>& values, int notfoundis,
               const ChartGeometry& g) {
        std::array<bool, 256> present{};
        for (const std::uint32_t value : values)
            present[value & 0xFF] = true;
        for (int value = 0; value < 256; ++value) {
            if (!present[static_cast<std::size_t>(value)]) continue;
            imageOf_[static_cast<std::size_t>(value)] = static_cast<int>(images_.size());
            images_.emplace_back(lookOf(static_cast<std::uint32_t>(value), grid, true, notfoundis),
                                 g);
        }
    }
    const CellImage& of(std::uint32_t value) const {
        return images_[static_cast<std::size_t>(imageOf_[value & 0xFF])];
    }

  private:
    std::array<int, 256> imageOf_{};
    std::vector<CellImage> images_;
};

void drawBeadRowsByValue(const ChartCanvas& canvas, const ValueCells& cells,
                         const std::vector<std::uint32_t>& values, const ChartGeometry& g,
                         int beadsWide, int beadsHigh) {
    const std::size_t cellBytes = 3 * static_cast<std::size_t>(g.cellWidth);
    for (int j = 0; j < beadsHigh; ++j) {
        const std::uint32_t* beadValues = values.data() + static_cast<std::size_t>(j) * beadsWide;
        for (int py = 0; py < g.cellHeight; ++py) {
            std::uint8_t* line = canvas.row(kChartMarginY + j * g.cellHeight + py);
            fillBgr(line, 0, kChartMarginX, kWhite);
            std::uint8_t* cell = line + 3 * kChartMarginX;
            for (int i = 0; i < beadsWide; ++i, cell += cellBytes)
                copyCellRow(cell, cells.of(beadValues[i]).row(py), cellBytes);
            fillBgr(line, kChartMarginX + beadsWide * g.cellWidth, canvas.width(), kWhite);
        }
    }
}

// A grid of true colours: every bead drawn on its own.
void drawBeadRowsCellByCell(const ChartCanvas& canvas, const dib& grid,
                            const std::vector<std::uint32_t>& values, int notfoundis,
                            const ChartGeometry& g, int beadsWide, int beadsHigh) {
    for (int y = kChartMarginY; y < kChartMarginY + beadsHigh * g.cellHeight; ++y) {
        canvas.fillSpan(y, 0, canvas.width(), kWhite);
    }
    for (int j = 0; j < beadsHigh; ++j) {
        for (int i = 0; i < beadsWide; ++i) {
            const std::uint32_t value = values[static_cast<std::size_t>(j) * beadsWide + i];
            const CellImage image(lookOf(value, grid, false, notfoundis), g);
            for (int py = 0; py < g.cellHeight; ++py) {
                std::memcpy(canvas.row(kChartMarginY + j * g.cellHeight + py) +
                                3 * (kChartMarginX + i * g.cellWidth),
                            image.row(py), image.rowBytes());
            }
        }
    }
}

void drawRowLabel(const ChartCanvas& canvas, const QString& text, int x, int y, int fontHeight) {
    const auto mask = textMask(text, fontHeight);
    canvas.fillRect(x, y, x + mask->advance, y + mask->cellHeight, kWhite);
    canvas.drawMask(*mask, x, y, kBlack);
}

// Odd row numbers, counted from the bottom, on opaque white, and a tick at every row's top.
void drawRowLabels(const ChartCanvas& canvas, const ChartGeometry& g, int beadsHigh) {
    for (int j = 0; j < beadsHigh; ++j) {
        const int y = kChartMarginY + j * g.cellHeight;
        const int n = beadsHigh - j;
        const QString label = QString::number(n);
        const bool labelled = n % 2 == 1;
        if (labelled) drawRowLabel(canvas, label, 10, y, g.cellHeight);
        canvas.fillSpan(y, 0, kTickLength, kBlack);
        if (labelled) drawRowLabel(canvas, label, g.width - kRightLabelOffset, y, g.cellHeight);
        canvas.fillSpan(y, g.width - 50, g.width - 50 + kTickLength, kBlack);
    }
}

// The chart image: the old one's memory when the size stays, else a new one after the old one
// is gone, so two full-size charts never exist at once.
bool prepareChartImage(dib& rdi, const ChartGeometry& g) {
    if (rdi.poi != nullptr && DibBits(rdi) == 24 && DibWidth(rdi) == g.width &&
        DibHeight(rdi) == g.height) {
        return true;
    }
    FreeDib(rdi);
    newdib(&rdi, g.width, g.height, 24, nullptr, 0);
    return rdi.poi != nullptr;
}

}  // namespace

ChartGeometry chartGeometry(int beadsWide, int beadsHigh) {
    int cellWidth = kChartBaseCell;
    int cellHeight = static_cast<int>(truncToInt(beadsWide * 15.0 / beadsHigh));
    if (cellHeight < kChartBaseCell) {
        cellHeight = kChartBaseCell;
        cellWidth = static_cast<int>(truncToInt(beadsHigh * 15.0 / beadsWide));
    }
    return {cellWidth, cellHeight, beadsWide * cellWidth + 2 * kChartMarginX,
            beadsHigh * cellHeight + 2 * kChartMarginY};
}

void SplitColor(int color, int& red, int& green, int& blue) {
    red = color & 0xFF;
    green = (color >> 8) & 0xFF;
    blue = (color >> 16) & 0xFF;
}

EngineError drawChart(const dib& grid, int beadsWide, int beadsHigh, int notfoundis, dib& rdi,
                      BeadCounts& counts) {
    beadsWide = std::clamp(beadsWide, kMinBeads, kMaxBeads);
    beadsHigh = std::clamp(beadsHigh, kMinBeads, kMaxBeads);
    const ChartGeometry g = chartGeometry(beadsWide, beadsHigh);
    const std::vector<std::uint32_t> values = sampleValues(grid, beadsWide, beadsHigh);
    counts = countBeads(values, notfoundis, DibColorCount(grid) <= 256);
    if (!prepareChartImage(rdi, g)) return EngineError::OutOfMemory;
    const ChartCanvas canvas(rdi);
    canvas.fillRect(0, 0, g.width, kChartMarginY, kWhite);
    canvas.fillRect(0, kChartMarginY + beadsHigh * g.cellHeight, g.width, g.height, kWhite);
    if (DibColorCount(grid) <= 256) {
        drawBeadRowsByValue(canvas, ValueCells(grid, values, notfoundis, g), values, g, beadsWide,
                            beadsHigh);
    } else {
        drawBeadRowsCellByCell(canvas, grid, values, notfoundis, g, beadsWide, beadsHigh);
    }
    drawRowLabels(canvas, g, beadsHigh);
    return EngineError::None;
}

}  // namespace tessora
