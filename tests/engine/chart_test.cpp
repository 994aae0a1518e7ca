#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <set>

#include "engine/catalogue.h"
#include "engine/chart.h"
#include "engine/glyphs.h"
#include "engine/numbers.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

const Rgb kBlackRgb{0, 0, 0};
const Rgb kWhiteRgb{255, 255, 255};

void setSlot(dib& grid, int slot, Rgb c) {
    grid.pal.rgb0[slot] = {static_cast<std::uint8_t>(c.red), static_cast<std::uint8_t>(c.green),
                           static_cast<std::uint8_t>(c.blue), 0};
    DibColorTable(grid)[slot] = {static_cast<std::uint8_t>(c.blue),
                                 static_cast<std::uint8_t>(c.green),
                                 static_cast<std::uint8_t>(c.red), 0};
}

Rgb catalogue(int i) {
    const BeadRgb& c = BeadStartColors[static_cast<std::size_t>(i)];
    return {c.red, c.green, c.blue};
}

// A bead grid with the palette the reduction gives when every colour is ticked.
dib beadGrid(int width, int height, const std::function<int(int, int)>& value) {
    dib grid{};
    newdib(&grid, width, height, 8, nullptr, 0);
    for (int slot = 0; slot < 256; ++slot) {
        const int i = slot - PaletteSlotBase;
        setSlot(grid, slot, i >= 0 && i < 64 ? catalogue(i) : catalogue(0));
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            setpixel(grid, x, y, static_cast<std::uint32_t>(value(x, y)));
    return grid;
}

struct Chart {
    OwnedDib image;
    BeadCounts counts{};
    EngineError error = EngineError::None;
    Chart(const dib& grid, int wide, int high, int notfoundis = 0) {
        error = drawChart(grid, wide, high, notfoundis, *image, counts);
    }
    Rgb at(int x, int y) const { return rgbAt(image.get(), x, y); }
    bool hasBlackIn(int left, int top, int right, int bottom) const {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (at(x, y) == kBlackRgb) return true;
        return false;
    }
};

using Points = std::set<std::pair<int, int>>;

struct Box {
    int left, top, right, bottom;  // right and bottom exclusive
    bool holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

Points inkIn(const Chart& chart, Rgb ink, const Box& box) {
    Points points;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (chart.at(x, y) == ink) points.emplace(x, y);
    return points;
}

// The ink inside `box` of `text` drawn with its character cell's top-left corner at (x, top).
Points textAt(const QString& text, int fontHeight, int x, int top, const Box& box) {
    const auto mask = textMask(text, fontHeight);
    Points points;
    for (int row = 0; row < mask->rows(); ++row)
        for (int s = mask->rowStart[row]; s < mask->rowStart[row + 1]; ++s)
            for (int px = mask->spans[s].left; px < mask->spans[s].right; ++px)
                if (box.holds(x + px, top + row)) points.emplace(x + px, top + row);
    return points;
}

int total(const BeadCounts& counts) {
    int sum = 0;
    for (const int c : counts)
        sum += c;
    return sum;
}

}  // namespace

TEST(ChartGeometry, CellSizesFollowTheMotifsProportions) {
    struct Case {
        const char* name;
        int wide, high;
        ChartGeometry expected;
    };
    const Case cases[] = {
        {"square 30", 30, 30, {15, 15, 570, 470}},
        {"40 wide 30 high", 40, 30, {15, 20, 720, 620}},
        {"30 wide 40 high", 30, 40, {20, 15, 720, 620}},
        {"start size", 30, 19, {15, 23, 570, 457}},
        {"one bead", 1, 1, {15, 15, 135, 35}},
        {"one row", 1000, 1, {15, 15000, 15120, 15020}},
        {"one column", 1, 1000, {15000, 15, 15120, 15020}},
    };
    for (const Case& c : cases) {
        const ChartGeometry g = chartGeometry(c.wide, c.high);
        EXPECT_EQ(g.cellWidth, c.expected.cellWidth) << c.name;
        EXPECT_EQ(g.cellHeight, c.expected.cellHeight) << c.name;
        EXPECT_EQ(g.width, c.expected.width) << c.name;
        EXPECT_EQ(g.height, c.expected.height) << c.name;
    }
}

TEST(Chart, SplitColorTakesRedFromTheLowByte) {
    int r = 0, g = 0, b = 0;
    SplitColor(0x00A0B0C0, r, g, b);
    EXPECT_EQ(r, 0xC0);
    EXPECT_EQ(g, 0xB0);
    EXPECT_EQ(b, 0xA0);
}

TEST(Chart, OddRowsAreLabelledAndEveryRowHasTicks) {
    OwnedDib grid(beadGrid(30, 30, [](int, int) { return 10; }));
    const Chart chart(grid.get(), 30, 30);
    ASSERT_EQ(DibWidth(chart.image.get()), 570);
    ASSERT_EQ(DibHeight(chart.image.get()), 470);
    for (int j = 0; j < 30; ++j) {
        const int y = 10 + 15 * j;
        const bool odd = (30 - j) % 2 == 1;
        EXPECT_EQ(chart.hasBlackIn(10, y + 1, 50, y + 15), odd) << "left label of row " << 30 - j;
        EXPECT_EQ(chart.hasBlackIn(530, y + 1, 570, y + 15), odd)
            << "right label of row " << 30 - j;
        EXPECT_EQ(chart.at(0, y), kBlackRgb);
        EXPECT_EQ(chart.at(48, y), kBlackRgb);
        EXPECT_EQ(chart.at(49, y), kWhiteRgb);
        EXPECT_EQ(chart.at(520, y), kBlackRgb);
        EXPECT_EQ(chart.at(568, y), kBlackRgb);
        EXPECT_EQ(chart.at(569, y), kWhiteRgb);
        EXPECT_EQ(chart.at(0, y + 1), kWhiteRgb);
    }
    // Below the tick lines, which are black whatever the labels do.
    EXPECT_TRUE(chart.hasBlackIn(10, 26, 50, 40)) << "29 stands at y 25";
    EXPECT_TRUE(chart.hasBlackIn(10, 446, 50, 460)) << "1 stands at y 445";
    EXPECT_FALSE(chart.hasBlackIn(10, 41, 50, 55)) << "28 has no label";
    EXPECT_EQ(chart.at(0, 460), kWhiteRgb) << "no tick below the last row";
}

TEST(Chart, LabelsAndNumbersStandAtTheirCorners) {
    // 30 x 30 beads: cells 15 x 15 from (60, 10); the chart is 570 wide. The label of a row
    // stands with its cell's corner at (10, y) and (570 - 40, y), a number one pixel in from its
    // cell's left edge. Below the tick row only, and inside the cell's border.
    OwnedDib grid(beadGrid(30, 30, [](int x, int y) { return 10 + (x + y) % 3; }));
    const Chart chart(grid.get(), 30, 30);
    for (const int row : {1, 17, 29}) {
        SCOPED_TRACE(row);
        const int y = 10 + 15 * (30 - row);
        const QString label = QString::number(row);
        const Box left{0, y + 1, 60, y + 15}, right{510, y + 1, 570, y + 15};
        EXPECT_FALSE(inkIn(chart, kBlackRgb, left).empty());
        EXPECT_EQ(inkIn(chart, kBlackRgb, left), textAt(label, 15, 10, y, left));
        EXPECT_EQ(inkIn(chart, kBlackRgb, right), textAt(label, 15, 530, y, right));
    }
    for (const int i : {0, 1, 2}) {
        SCOPED_TRACE(i);
        const int left = 60 + 15 * i;
        const Rgb contrast = chart.at(left, 10);
        const QString number = QString::fromLatin1(BeadNumbers[i]);
        const int fontHeight = fittedFontHeight(number, 13, 15);
        const Box inside{left + 1, 11, left + 14, 24};
        EXPECT_FALSE(inkIn(chart, contrast, inside).empty());
        EXPECT_EQ(inkIn(chart, contrast, inside), textAt(number, fontHeight, left + 1, 10, inside));
    }
}

TEST(Chart, SingleRowIsLabelledOneOnBothSides) {
    OwnedDib grid(beadGrid(1, 1, [](int, int) { return 10; }));
    const Chart chart(grid.get(), 1, 1);
    EXPECT_TRUE(chart.hasBlackIn(10, 11, 50, 25));
    EXPECT_TRUE(chart.hasBlackIn(95, 11, 135, 25));
}

TEST(Chart, BordersAndNumbersUseTheContrastColour) {
    // Brightness (r + g + b) div 3: 127 is dark, 128 light.
    OwnedDib grid(beadGrid(2, 1, [](int x, int) { return 20 + x; }));
    setSlot(*grid, 20, {127, 128, 127});
    setSlot(*grid, 21, {128, 128, 129});
    const Chart chart(grid.get(), 2, 1);
    EXPECT_EQ(chart.at(60, 10), kWhiteRgb) << "dark bead, white border";
    EXPECT_EQ(chart.at(75, 10), kBlackRgb) << "light bead, black border";
    EXPECT_EQ(chart.at(67, 23), (Rgb{127, 128, 127})) << "fill";
    // The numbers are drawn inside the cells in the contrast colour.
    const auto contrastInside = [&](int left, Rgb contrast) {
        for (int y = 11; y < 24; ++y)
            for (int x = left + 1; x < left + 14; ++x)
                if (chart.at(x, y) == contrast) return true;
        return false;
    };
    EXPECT_TRUE(contrastInside(60, kWhiteRgb));
    EXPECT_TRUE(contrastInside(75, kBlackRgb));
}

TEST(Chart, HoldsOnlyBeadColoursBlackAndWhite) {
    OwnedDib grid(beadGrid(12, 9, [](int x, int y) { return 10 + (x * 7 + y * 3) % 64; }));
    const Chart chart(grid.get(), 12, 9);
    std::set<std::uint32_t> allowed = {0, 0xFFFFFF};
    for (int i = 0; i < 64; ++i)
        allowed.insert(colorValue(catalogue(i)));
    for (int y = 0; y < DibHeight(chart.image.get()); ++y)
        for (int x = 0; x < DibWidth(chart.image.get()); ++x)
            ASSERT_TRUE(allowed.count(getpixel(chart.image.get(), x, y))) << x << "," << y;
}

TEST(Chart, CountsAddUpAndFallbackValuesCountAsNotfoundis) {
    // Values 0 to 9 and 74 to 255 are beads of colour notfoundis (here 4, "Rot").
    OwnedDib grid(beadGrid(10, 6, [](int x, int y) {
        const int values[] = {0, 9, 74, 255, 10, 14, 73, 12, 14, 14};
        return y == 0 ? values[x] : 10;
    }));
    const Chart chart(grid.get(), 10, 6, 4);
    EXPECT_EQ(total(chart.counts), 60);
    EXPECT_EQ(chart.counts[4], 4 + 3);
    EXPECT_EQ(chart.counts[0], 1 + 50);
    EXPECT_EQ(chart.counts[63], 1);
    EXPECT_EQ(chart.counts[2], 1);
    EXPECT_EQ(statisticsLines(chart.counts),
              (QStringList{QStringLiteral("01: 51"), QStringLiteral("03: 1"),
                           QStringLiteral("05: 7"), QStringLiteral("76: 1")}));
    // A fallback bead keeps the grid palette's colour for its value in the cell.
    OwnedDib odd(beadGrid(1, 1, [](int, int) { return 3; }));
    setSlot(*odd, 3, {0, 0, 255});
    const Chart oddChart(odd.get(), 1, 1, 4);
    EXPECT_EQ(oddChart.at(60 + 7, 10 + 13), (Rgb{0, 0, 255}));
    EXPECT_EQ(oddChart.counts[4], 1);
}

TEST(Chart, FallbackThatIsNoCatalogueColourIsNeitherNumberedNorCounted) {
    OwnedDib grid(beadGrid(3, 1, [](int x, int) { return x == 0 ? 200 : 10; }));
    const Chart chart(grid.get(), 3, 1, 70);
    EXPECT_EQ(total(chart.counts), 2);
    EXPECT_FALSE(chart.hasBlackIn(61, 11, 74, 24)) << "white cell without a number";
}

TEST(Chart, GridOfAnotherSizeIsSampledByIntegerScaling) {
    // 4 x 2 grid, chart of 8 x 4: bead (i, j) shows grid pixel (4i div 8, 2j div 4).
    OwnedDib grid(beadGrid(4, 2, [](int x, int y) { return 10 + x + 4 * y; }));
    const Chart chart(grid.get(), 8, 4);
    const ChartGeometry g = chartGeometry(8, 4);
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 8; ++i) {
            const int catalogueIndex = i / 2 + 4 * (j / 2);
            EXPECT_EQ(chart.at(60 + i * g.cellWidth + 7, 10 + j * g.cellHeight + g.cellHeight - 2),
                      catalogue(catalogueIndex))
                << i << "," << j;
        }
    }
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(chart.counts[k], 4) << k;
}

TEST(Chart, SecondRunGivesTheSameChartInTheSameMemory) {
    OwnedDib grid(beadGrid(7, 5, [](int x, int y) { return 10 + (x + y) % 5; }));
    dib rdi{};
    BeadCounts first{}, second{};
    ASSERT_EQ(drawChart(grid.get(), 7, 5, 0, rdi, first), EngineError::None);
    const QByteArray before(reinterpret_cast<const char*>(rdi.poi), rdi.pmi->biSizeImage);
    std::uint8_t* const memory = rdi.poi;
    ASSERT_EQ(drawChart(grid.get(), 7, 5, 0, rdi, second), EngineError::None);
    EXPECT_EQ(rdi.poi, memory);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(rdi.poi), rdi.pmi->biSizeImage), before);
    EXPECT_EQ(first, second);
    ASSERT_EQ(drawChart(grid.get(), 9, 5, 0, rdi, second), EngineError::None);
    EXPECT_EQ(DibWidth(rdi), 9 * 15 + 120);
    FreeDib(rdi);
}

TEST(Chart, LackOfMemoryLeavesAnEmptyChartButCounts) {
    OwnedDib grid(beadGrid(30, 30, [](int, int) { return 10; }));
    dib rdi{};
    BeadCounts counts{};
    SetPixelBudget(1000);
    EXPECT_EQ(drawChart(grid.get(), 30, 30, 0, rdi, counts), EngineError::OutOfMemory);
    SetPixelBudget(0);
    EXPECT_EQ(rdi.poi, nullptr);
    EXPECT_EQ(counts[0], 900);
}

// The limit is checked against the size the chart really takes, odd widths padded included.
TEST(Chart, ChartLargerThanItsLimitIsNotDrawnButCounted) {
    OwnedDib grid(beadGrid(7, 5, [](int, int) { return 10; }));
    const struct { int wide, high; } sizes[] = {{7, 5}, {5, 9}, {1, 1}, {13, 3}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.wide) + " x " + std::to_string(size.high));
        const std::uint64_t bytes = chartBytes(size.wide, size.high);
        dib rdi{};
        BeadCounts counts{};
        ASSERT_EQ(
            drawChart(grid.get(), size.wide, size.high, 0, rdi, counts, standardRange(), bytes),
            EngineError::None);
        EXPECT_EQ(rdi.pmi->biSizeImage, bytes);
        EXPECT_EQ(
            drawChart(grid.get(), size.wide, size.high, 0, rdi, counts, standardRange(), bytes - 1),
            EngineError::OutOfMemory);
        EXPECT_EQ(rdi.poi, nullptr) << "the old chart is released too";
        EXPECT_EQ(counts[0], size.wide * size.high);
    }
}

TEST(Chart, TrueColourGridShowsEachBeadInItsOwnColour) {
    // More looks than the chart keeps as prepared cells: drawn cell by cell.
    OwnedDib grid(picture24(40, 30, [](int x, int y) { return Rgb{x * 6, y * 8, 100}; }));
    const Chart chart(grid.get(), 40, 30, 2);
    const ChartGeometry g = chartGeometry(40, 30);
    for (int j = 0; j < 30; j += 7) {
        for (int i = 0; i < 40; i += 9) {
            EXPECT_EQ(chart.at(60 + i * g.cellWidth + 7, 10 + j * g.cellHeight + g.cellHeight - 2),
                      (Rgb{i * 6, j * 8, 100}));
        }
    }
    EXPECT_EQ(chart.counts[2], 1200);
}

namespace {

// The chart's pixel rows, without their padding, as a short fingerprint.
std::string fingerprint(const dib& chart) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const int width = DibWidth(chart);
    for (int y = 0; y < DibHeight(chart); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(DibRow(chart, y)), 3 * width));
    return hash.result().toHex().left(16).toStdString();
}

}  // namespace

TEST(Chart, StaysPixelForPixelAsItWasDrawnBefore) {
    // Fingerprints of charts drawn before the drawing was made faster. Long single rows and
    // columns have row labels thousands of pixels high; values 200 and 5 are fallbacks (white,
    // and notfoundis 70 has no number), the 24-bit grid takes the cell-by-cell route.
    struct Case {
        int wide, high;
        bool trueColour;
        const char* expected;
    };
    const Case cases[] = {
        {1, 1, false, "a46d2e9b089111b4"},   {2, 1, false, "7134441f919ea301"},
        {97, 1, false, "0f4e2dcb35702c36"},  {333, 1, false, "f049a1ef013693f7"},
        {1, 333, false, "ca04b6621072da25"}, {251, 3, false, "cf470aff0ddd31dc"},
        {3, 251, false, "ddb766ea3be10003"}, {13, 7, false, "816cd22e06106ecd"},
        {7, 13, false, "fc9919514a9a7f4a"},  {31, 19, false, "ccb7c4b76328145f"},
        {9, 2, true, "0a1fcf0990b86289"},
    };
    for (const Case& c : cases) {
        const auto value = [](int x, int y) {
            const int v = 10 + (x * 7 + y * 3) % 64;
            return v == 17 ? 200 : v == 23 ? 5 : v;
        };
        OwnedDib grid(c.trueColour
                          ? picture24(c.wide, c.high,
                                      [&](int x, int y) {
                                          return Rgb{x * 29 % 256, y * 53 % 256, value(x, y)};
                                      })
                          : beadGrid(c.wide, c.high, value));
        const Chart chart(grid.get(), c.wide, c.high, 70);
        ASSERT_EQ(chart.error, EngineError::None);
        EXPECT_EQ(fingerprint(chart.image.get()), c.expected) << c.wide << " x " << c.high;
    }
}
