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
constexpr int kLeftLabelX = 10;
constexpr Bgr kEmptyPegRing{192, 192, 192};

// How one bead is drawn: the cell's fill, its border and number colour, and the number it
// carries (empty: no number); an empty peg also gets a ring.
struct BeadLook {
    Bgr fill;
    Bgr contrast;
    QString number;
    bool emptyPeg = false;
};

Bgr contrastFor(int red, int green, int blue) {
    return (red + green + blue) / 3 >= kBrightnessForBlack ? kBlack : kWhite;
}

// Which grid pixel values a chart is drawn and counted for: the range's numbers and the
// fallback colour. In a grid of palette indices an empty peg is no bead.
struct ChartColors {
    const BeadRange& range;
    int notfoundis;
    bool indexed;
    int indexOf(std::uint32_t value) const {
        if (indexed && value == kEmptyPeg) return -1;
        return value > 0xFFFF ? rangeIndexOfPixel(range, -1, notfoundis)
                              : rangeIndexOfPixel(range, static_cast<int>(value), notfoundis);
    }
    QString numberOf(std::uint32_t value) const {
        const int index = indexOf(value);
        return index < 0
                   ? QString()
                   : QString::fromStdString(range.colors[static_cast<std::size_t>(index)].number);
    }
};

BeadLook lookOf(std::uint32_t value, const dib& grid, bool indexed, const ChartColors& colors) {
    if (indexed && value == kEmptyPeg) return {kWhite, kEmptyPegRing, QString(), true};
    int color = static_cast<int>(value & 0xFFFFFF);
    if (indexed) {
        const PalEntry& entry = grid.pal.rgb0[value & 0xFF];
        color = entry.peRed + 256 * entry.peGreen + 65536 * entry.peBlue;
    }
    int red = 0, green = 0, blue = 0;
    SplitColor(color, red, green, blue);
    return {Bgr{static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green),
                static_cast<std::uint8_t>(red)},
            contrastFor(red, green, blue), colors.numberOf(value)};
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

// A million beads are counted through a table of the 256 values an 8-bit grid can hold.
BeadCounts countBeads(const std::vector<std::uint32_t>& values, const ChartColors& colors) {
    std::array<int, 256> indexOfByte{};
    for (std::uint32_t value = 0; value < 256; ++value)
        indexOfByte[value] = colors.indexOf(value);
    BeadCounts counts{};
    for (const std::uint32_t value : values) {
        const int index = value < 256 ? indexOfByte[value] : colors.indexOf(value);
        if (index >= 0) ++counts[static_cast<std::size_t>(index)];
    }
    return counts;
}

// One drawn cell, cell width x cell height triples of blue, green, red: the fill, a 1-pixel
// border inside the cell and the colour number one pixel in from the left edge. Below the
// number's rows every row is the fill row or, last, the border row, so only those two are kept:
// a one-row chart has cells 15,000 pixels high.
class CellImage {
  public:
    CellImage(const BeadLook& look, const ChartGeometry& g)
        : width_(g.cellWidth), height_(g.cellHeight) {
        std::shared_ptr<const GlyphMask> number;
        if (!look.number.isEmpty()) number = numberMask(look, g);
        // A ring spans the whole cell, so an empty peg keeps all its rows.
        drawnRows_ = look.emptyPeg ? height_ : std::clamp(number ? number->rows() : 0, 1, height_);
        // Drawn rows, then the fill row and the border row for the rest.
        pixels_.resize(rowBytes() * static_cast<std::size_t>(drawnRows_ + 2));
        for (int y = 0; y < drawnRows_; ++y)
            drawPlainRow(look, storedRow(y), y == 0 || y == height_ - 1);
        drawPlainRow(look, storedRow(drawnRows_), false);
        drawPlainRow(look, storedRow(drawnRows_ + 1), true);
        if (number) drawNumber(look, *number);
        if (look.emptyPeg) drawRing(look.contrast);
    }
    const std::uint8_t* row(int y) const {
        if (y < drawnRows_) return storedRow(y);
        return storedRow(y == height_ - 1 ? drawnRows_ + 1 : drawnRows_);
    }
    std::size_t rowBytes() const { return 3 * static_cast<std::size_t>(width_); }

  private:
    const std::uint8_t* storedRow(int index) const {
        return pixels_.data() + rowBytes() * static_cast<std::size_t>(index);
    }
    std::uint8_t* storedRow(int index) {
        return pixels_.data() + rowBytes() * static_cast<std::size_t>(index);
    }

    void drawPlainRow(const BeadLook& look, std::uint8_t* line, bool edge) const {
        fillBgr(line, 0, width_, edge ? look.contrast : look.fill);
        fillBgr(line, 0, 1, look.contrast);
        fillBgr(line, width_ - 1, width_, look.contrast);
    }

    static std::shared_ptr<const GlyphMask> numberMask(const BeadLook& look,
                                                       const ChartGeometry& g) {
        return textMask(look.number, fittedFontHeight(look.number, g.cellWidth - 2, g.cellHeight));
    }

    void drawNumber(const BeadLook& look, const GlyphMask& mask) {
        // Ink never leaves its cell, so cells can be drawn in any order.
        for (int y = 0; y < std::min(mask.rows(), height_); ++y) {
            for (int s = mask.rowStart[y]; s < mask.rowStart[y + 1]; ++s) {
                const InkSpan& span = mask.spans[s];
                fillBgr(storedRow(y), std::min(1 + span.left, width_),
                        std::min(1 + span.right, width_), look.contrast);
            }
        }
    }

    // A circle of a third of the cell's shorter side across, one pixel wide: the bare peg.
    void drawRing(Bgr colour) {
        const double radius = std::max(1.0, std::min(width_, height_) / 3.0);
        const double cx = (width_ - 1) / 2.0;
        const double cy = (height_ - 1) / 2.0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (std::abs(std::hypot(x - cx, y - cy) - radius) < 0.5)
                    fillBgr(storedRow(y), x, x + 1, colour);
            }
        }
    }

    int width_;
    int height_;
    int drawnRows_ = 1;
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
    ValueCells(const dib& grid, const std::vector<std::uint32_t>& values, const ChartColors& colors,
               const ChartGeometry& g) {
        std::array<bool, 256> present{};
        for (const std::uint32_t value : values)
            present[value & 0xFF] = true;
        for (int value = 0; value < 256; ++value) {
            if (!present[static_cast<std::size_t>(value)]) continue;
            imageOf_[static_cast<std::size_t>(value)] = static_cast<int>(images_.size());
            images_.emplace_back(lookOf(static_cast<std::uint32_t>(value), grid, true, colors), g);
        }
    }
    const CellImage& of(std::uint32_t value) const {
        return images_[static_cast<std::size_t>(imageOf_[value & 0xFF])];
    }

  private:
    std::array<int, 256> imageOf_{};
    std::vector<CellImage> images_;
};

// The opaque background of a bead row's left label: x from kLeftLabelX to `right`, the row's
// first `rows` pixel rows (right 0: no label). A one-row chart's label is thousands of pixels
// wide, so its background is laid while the rows are made instead of over cells drawn first.
struct LabelBox {
    int right = 0;
    int rows = 0;
};

std::vector<LabelBox> leftLabelBoxes(const ChartGeometry& g, int beadsHigh) {
    std::vector<LabelBox> boxes(static_cast<std::size_t>(beadsHigh));
    for (int j = 0; j < beadsHigh; ++j) {
        const int n = beadsHigh - j;
        if (n % 2 == 0) continue;
        const auto mask = textMask(QString::number(n), g.cellHeight);
        // A background taller than the bead row reaches the next one: left to the label itself.
        if (mask->cellHeight > g.cellHeight) continue;
        boxes[static_cast<std::size_t>(j)] = {std::min(kLeftLabelX + mask->advance, g.width),
                                              mask->cellHeight};
    }
    return boxes;
}

void drawBeadRowsByValue(const ChartCanvas& canvas, const ValueCells& cells,
                         const std::vector<std::uint32_t>& values,
                         const std::vector<LabelBox>& labels, const ChartGeometry& g, int beadsWide,
                         int beadsHigh) {
    const std::size_t cellBytes = 3 * static_cast<std::size_t>(g.cellWidth);
    for (int j = 0; j < beadsHigh; ++j) {
        const std::uint32_t* beadValues = values.data() + static_cast<std::size_t>(j) * beadsWide;
        const LabelBox& label = labels[static_cast<std::size_t>(j)];
        for (int py = 0; py < g.cellHeight; ++py) {
            std::uint8_t* line = canvas.row(kChartMarginY + j * g.cellHeight + py);
            fillBgr(line, 0, kChartMarginX, kWhite);
            const bool underLabel = py < label.rows && label.right > kLeftLabelX;
            // Cells wholly under the label's background are not drawn at all.
            const int firstCell =
                underLabel ? std::clamp((label.right - kChartMarginX) / g.cellWidth, 0, beadsWide)
                           : 0;
            std::uint8_t* cell = line + 3 * (kChartMarginX + firstCell * g.cellWidth);
            for (int i = firstCell; i < beadsWide; ++i, cell += cellBytes)
                copyCellRow(cell, cells.of(beadValues[i]).row(py), cellBytes);
            if (underLabel) fillBgr(line, kLeftLabelX, label.right, kWhite);
            fillBgr(line, kChartMarginX + beadsWide * g.cellWidth, canvas.width(), kWhite);
        }
    }
}

// A grid of true colours: every bead drawn on its own.
void drawBeadRowsCellByCell(const ChartCanvas& canvas, const dib& grid,
                            const std::vector<std::uint32_t>& values, const ChartColors& colors,
                            const ChartGeometry& g, int beadsWide, int beadsHigh) {
    for (int y = kChartMarginY; y < kChartMarginY + beadsHigh * g.cellHeight; ++y) {
        canvas.fillSpan(y, 0, canvas.width(), kWhite);
    }
    for (int j = 0; j < beadsHigh; ++j) {
        for (int i = 0; i < beadsWide; ++i) {
            const std::uint32_t value = values[static_cast<std::size_t>(j) * beadsWide + i];
            const CellImage image(lookOf(value, grid, false, colors), g);
            for (int py = 0; py < g.cellHeight; ++py) {
                std::memcpy(canvas.row(kChartMarginY + j * g.cellHeight + py) +
                                3 * (kChartMarginX + i * g.cellWidth),
                            image.row(py), image.rowBytes());
            }
        }
    }
}

void drawRowLabel(const ChartCanvas& canvas, const QString& text, int x, int y, int fontHeight,
                  bool backgroundLaid) {
    const auto mask = textMask(text, fontHeight);
    if (!backgroundLaid) canvas.fillRect(x, y, x + mask->advance, y + mask->cellHeight, kWhite);
    canvas.drawMask(*mask, x, y, kBlack);
}

// Odd row numbers, counted from the bottom, on opaque white, and a tick at every row's top.
// `laid`: the left labels' backgrounds already in the rows (none when empty).
void drawRowLabels(const ChartCanvas& canvas, const ChartGeometry& g, int beadsHigh,
                   const std::vector<LabelBox>& laid) {
    for (int j = 0; j < beadsHigh; ++j) {
        const int y = kChartMarginY + j * g.cellHeight;
        const int n = beadsHigh - j;
        const QString label = QString::number(n);
        const bool labelled = n % 2 == 1;
        const bool leftLaid = !laid.empty() && laid[static_cast<std::size_t>(j)].rows > 0;
        if (labelled) drawRowLabel(canvas, label, kLeftLabelX, y, g.cellHeight, leftLaid);
        canvas.fillSpan(y, 0, kTickLength, kBlack);
        if (labelled)
            drawRowLabel(canvas, label, g.width - kRightLabelOffset, y, g.cellHeight, false);
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

std::uint64_t chartBytes(int beadsWide, int beadsHigh) {
    const ChartGeometry g = chartGeometry(std::clamp(beadsWide, kMinBeads, kMaxBeads),
                                          std::clamp(beadsHigh, kMinBeads, kMaxBeads));
    // 24-bit rows padded to four bytes; independent of the pixel budget, which may be lower.
    const std::uint64_t stride =
        (std::uint64_t{static_cast<std::uint32_t>(g.width)} * 3 + 3) & ~3ull;
    return stride * static_cast<std::uint32_t>(g.height);
}

EngineError drawChart(const dib& grid, int beadsWide, int beadsHigh, int notfoundis, dib& rdi,
                      BeadCounts& counts, const BeadRange& range, std::uint64_t maxChartBytes) {
    const ChartColors colors{range, notfoundis, DibColorCount(grid) <= 256};
    beadsWide = std::clamp(beadsWide, kMinBeads, kMaxBeads);
    beadsHigh = std::clamp(beadsHigh, kMinBeads, kMaxBeads);
    const ChartGeometry g = chartGeometry(beadsWide, beadsHigh);
    const std::vector<std::uint32_t> values = sampleValues(grid, beadsWide, beadsHigh);
    counts = countBeads(values, colors);
    if (chartBytes(beadsWide, beadsHigh) > maxChartBytes) {
        FreeDib(rdi);
        return EngineError::OutOfMemory;
    }
    if (!prepareChartImage(rdi, g)) return EngineError::OutOfMemory;
    const ChartCanvas canvas(rdi);
    canvas.fillRect(0, 0, g.width, kChartMarginY, kWhite);
    canvas.fillRect(0, kChartMarginY + beadsHigh * g.cellHeight, g.width, g.height, kWhite);
    if (DibColorCount(grid) <= 256) {
        const std::vector<LabelBox> labels = leftLabelBoxes(g, beadsHigh);
        drawBeadRowsByValue(canvas, ValueCells(grid, values, colors, g), values, labels, g,
                            beadsWide, beadsHigh);
        drawRowLabels(canvas, g, beadsHigh, labels);
    } else {
        drawBeadRowsCellByCell(canvas, grid, values, colors, g, beadsWide, beadsHigh);
        drawRowLabels(canvas, g, beadsHigh, {});
    }
    return EngineError::None;
}

EngineError drawChart(const dib& grid, int beadsWide, int beadsHigh, int notfoundis, dib& rdi,
                      BeadCounts& counts) {
    return drawChart(grid, beadsWide, beadsHigh, notfoundis, rdi, counts, standardRange());
}

}  // namespace tessora
