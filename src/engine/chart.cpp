#include "engine/chart.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "engine/chartcanvas.h"
#include "engine/glyphs.h"
#include "engine/numbers.h"
#include "engine/sizecoupling.h"
#include "imagelib/imagelib.h"

namespace tessora {
namespace {

constexpr int kBrightnessForBlack = 128;
constexpr int kTickLength = 49;        // a tick covers x 0 to 48, and the last 50 columns but one
constexpr int kRightLabelOffset = 40;  // right labels start 40 pixels before the chart's edge

// How one bead is drawn: the cell's fill, its border and number colour, and its catalogue
// colour (-1: no number and no count).
struct BeadLook {
    Bgr fill;
    Bgr contrast;
    int catalogue;
    auto key() const { return std::make_tuple(fill.red, fill.green, fill.blue, catalogue); }
};

Bgr contrastFor(int red, int green, int blue) {
    return (red + green + blue) / 3 >= kBrightnessForBlack ? kBlack : kWhite;
}

BeadLook lookOf(std::uint32_t value, const dib& grid, bool indexed, int notfoundis) {
    int color = static_cast<int>(value & 0xFFFFFF);
    if (indexed) {
        const PalEntry& entry = grid.pal.rgb0[value & 0xFF];
        color = entry.peRed + 256 * entry.peGreen + 65536 * entry.peBlue;
    }
    int red = 0, green = 0, blue = 0;
    SplitColor(color, red, green, blue);
    int catalogue = CatalogueIndexOfPixel(static_cast<int>(value));
    if (catalogue < 0) catalogue = CatalogueIndexOfPixel(notfoundis + PaletteSlotBase);
    return {Bgr{static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green),
                static_cast<std::uint8_t>(red)},
            contrastFor(red, green, blue), catalogue};
}

// The look of every bead, row by row from the top; the grid is sampled by integer scaling.
std::vector<BeadLook> sampleLooks(const dib& grid, int beadsWide, int beadsHigh, int notfoundis) {
    const bool indexed = DibColorCount(grid) <= 256;
    std::vector<BeadLook> looks;
    looks.reserve(static_cast<std::size_t>(beadsWide) * beadsHigh);
    for (int j = 0; j < beadsHigh; ++j) {
        const int y = static_cast<int>(std::int64_t{DibHeight(grid)} * j / beadsHigh);
        for (int i = 0; i < beadsWide; ++i) {
            const int x = static_cast<int>(std::int64_t{DibWidth(grid)} * i / beadsWide);
            looks.push_back(lookOf(getpixel(grid, x, y), grid, indexed, notfoundis));
        }
    }
    return looks;
}

BeadCounts countBeads(const std::vector<BeadLook>& looks) {
    BeadCounts counts{};
    for (const BeadLook& look : looks) {
        if (look.catalogue >= 0) ++counts[look.catalogue];
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

    int width_;
    std::vector<std::uint8_t> pixels_;
};

// Looks of the beads as indices into a list of distinct cell images.
struct CellPlan {
    std::vector<CellImage> images;
    std::vector<std::uint16_t> imageOfBead;
};

constexpr std::size_t kMaxCellImages = 1024;

std::optional<CellPlan> planCells(const std::vector<BeadLook>& looks, const ChartGeometry& g) {
    CellPlan plan;
    plan.imageOfBead.reserve(looks.size());
    std::map<decltype(BeadLook{}.key()), std::uint16_t> known;
    for (const BeadLook& look : looks) {
        auto [it, added] =
            known.try_emplace(look.key(), static_cast<std::uint16_t>(plan.images.size()));
        if (added) {
            // Only a grid of true colours can have this many looks; it is drawn cell by cell.
            if (plan.images.size() == kMaxCellImages) return std::nullopt;
            plan.images.emplace_back(look, g);
        }
        plan.imageOfBead.push_back(it->second);
    }
    return plan;
}

void drawBeadRowsFromPlan(const ChartCanvas& canvas, const CellPlan& plan, const ChartGeometry& g,
                          int beadsWide, int beadsHigh) {
    for (int j = 0; j < beadsHigh; ++j) {
        const std::uint16_t* images =
            plan.imageOfBead.data() + static_cast<std::size_t>(j) * beadsWide;
        for (int py = 0; py < g.cellHeight; ++py) {
            const int y = kChartMarginY + j * g.cellHeight + py;
            std::uint8_t* line = canvas.row(y);
            fillBgr(line, 0, kChartMarginX, kWhite);
            std::uint8_t* cell = line + 3 * kChartMarginX;
            for (int i = 0; i < beadsWide; ++i, cell += plan.images[0].rowBytes()) {
                std::memcpy(cell, plan.images[images[i]].row(py), plan.images[0].rowBytes());
            }
            fillBgr(line, kChartMarginX + beadsWide * g.cellWidth, canvas.width(), kWhite);
        }
    }
}

void drawBeadRowsCellByCell(const ChartCanvas& canvas, const std::vector<BeadLook>& looks,
                            const ChartGeometry& g, int beadsWide, int beadsHigh) {
    for (int y = kChartMarginY; y < kChartMarginY + beadsHigh * g.cellHeight; ++y) {
        canvas.fillSpan(y, 0, canvas.width(), kWhite);
    }
    for (int j = 0; j < beadsHigh; ++j) {
        for (int i = 0; i < beadsWide; ++i) {
            const CellImage image(looks[static_cast<std::size_t>(j) * beadsWide + i], g);
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
    const std::vector<BeadLook> looks = sampleLooks(grid, beadsWide, beadsHigh, notfoundis);
    counts = countBeads(looks);
    if (!prepareChartImage(rdi, g)) return EngineError::OutOfMemory;
    const ChartCanvas canvas(rdi);
    canvas.fillRect(0, 0, g.width, kChartMarginY, kWhite);
    canvas.fillRect(0, kChartMarginY + beadsHigh * g.cellHeight, g.width, g.height, kWhite);
    if (const auto plan = planCells(looks, g)) {
        drawBeadRowsFromPlan(canvas, *plan, g, beadsWide, beadsHigh);
    } else {
        drawBeadRowsCellByCell(canvas, looks, g, beadsWide, beadsHigh);
    }
    drawRowLabels(canvas, g, beadsHigh);
    return EngineError::None;
}

}  // namespace tessora
