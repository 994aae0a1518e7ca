#include "imagelib/rowblit.h"

#include <gtest/gtest.h>

#include "drawtestfixture.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

// A picture whose pixel (x, y) carries x + 1 in blue and y + 1 in green, so a copied pixel tells
// where it came from; 0 (black) means nothing was copied.
void makeTraceable(OwnedDib& image, int width, int height) {
    makeTrueColour(image, width, height, [](int x, int y) { return qRgb(0, y + 1, x + 1); });
}

// Source column (blue - 1) per destination pixel of a recorded 24-bit row, -1 for black.
std::vector<int> sourceColumns(const RecordedCall& row) {
    std::vector<int> columns;
    for (int i = 0; i < row.imageWidth; ++i)
        columns.push_back(row.pixels[3 * static_cast<std::size_t>(i)] - 1);
    return columns;
}

std::vector<int> sourceRows(const RecordedCall& row) {
    std::vector<int> rows;
    for (int i = 0; i < row.imageWidth; ++i)
        rows.push_back(row.pixels[3 * static_cast<std::size_t>(i) + 1] - 1);
    return rows;
}

struct ColumnRow {
    const char* name;
    int sourceX;
    int sourceWidth;
    int destWidth;
    std::vector<int> expected;
    friend void PrintTo(const ColumnRow& row, std::ostream* os) { *os << row.name; }
};

using ColumnMapping = DrawTableTest<ColumnRow>;

TEST_P(ColumnMapping, TakesTheNearestColumnToTheLeft) {
    const ColumnRow& row = GetParam();
    OwnedDib image;
    makeTraceable(image, 10, 1);
    RowBlit24(device, 0, 0, row.destWidth, 1, image.get(), row.sourceX, 0, row.sourceWidth, 1);
    const auto rows = device.callsOf(Call::SetDIBitsToDevice);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].imageBits, 24);
    EXPECT_EQ(sourceColumns(rows[0]), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ColumnMapping,
    ::testing::Values(ColumnRow{"TenIntoFour", 0, 10, 4, {0, 2, 5, 7}},
                      ColumnRow{"ThreeIntoSeven", 0, 3, 7, {0, 0, 0, 1, 1, 2, 2}},
                      ColumnRow{"Offset", 4, 3, 3, {4, 5, 6}},
                      ColumnRow{"OutsideLeftAndRightAreBlack", -2, 14, 7, {-1, 0, 2, 4, 6, 8, -1}}),
    RowName());

TEST_F(DrawTest, RowBlit8MapsColumnsTheSameWay) {
    OwnedDib image;
    makeIndexed(image, 10, 1, 8, [](int x, int) { return x + 1; });
    RowBlit8(device, 0, 0, 4, 1, image.get(), 0, 0, 10, 1);
    const auto rows = device.callsOf(Call::SetDIBitsToDevice);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].imageBits, 8);
    EXPECT_EQ(std::vector<int>(rows[0].pixels.begin(), rows[0].pixels.begin() + 4),
              (std::vector{1, 3, 6, 8}));
}

TEST_F(DrawTest, EnlargedRowsAreCopiedOncePerSourceRow) {
    OwnedDib image;
    makeIndexed(image, 3, 2, 8, [](int x, int y) { return 10 * (y + 1) + x; });
    device.scribbleAfterOutput = true;  // a row output again without copying shows the scribble
    RowBlit8(device, 5, 7, 3, 6, image.get(), 0, 0, 3, 2);
    const auto rows = device.callsOf(Call::SetDIBitsToDevice);
    ASSERT_EQ(rows.size(), 6u);
    const std::vector<std::uint8_t> top{10, 11, 12}, next{20, 21, 22}, scribbled{0xEE, 0xEE, 0xEE};
    const std::vector<std::vector<std::uint8_t>> expected{top,  scribbled, scribbled,
                                                          next, scribbled, scribbled};
    for (int j = 0; j < 6; ++j) {
        SCOPED_TRACE(j);
        const RecordedCall& row = rows[static_cast<std::size_t>(j)];
        EXPECT_EQ(row.dest, (IntRect{5, 7 + j, 3, 1}));
        EXPECT_EQ(row.scanLines, 1);
        EXPECT_EQ(std::vector<std::uint8_t>(row.pixels.begin(), row.pixels.begin() + 3),
                  expected[static_cast<std::size_t>(j)]);
    }
}

TEST_F(DrawTest, RowBlit24DrawsOutsideTheImageBlack) {
    OwnedDib image;
    makeTraceable(image, 3, 2);
    // Source from column -1 and picture row -1, two pixels larger than the image each way.
    RowBlit24(device, 0, 0, 5, 4, image.get(), -1, -1, 5, 4);
    const auto rows = device.callsOf(Call::SetDIBitsToDevice);
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<int> black(5, -1);
    EXPECT_EQ(sourceColumns(rows[0]), black);
    EXPECT_EQ(sourceColumns(rows[1]), (std::vector{-1, 0, 1, 2, -1}));
    EXPECT_EQ(sourceRows(rows[1]), (std::vector{-1, 0, 0, 0, -1}));
    EXPECT_EQ(sourceRows(rows[2]), (std::vector{-1, 1, 1, 1, -1}));
    EXPECT_EQ(sourceColumns(rows[3]), black);
}

TEST_F(DrawTest, RowBlit8DrawsOutsideTheImageInColourIndexZeroOfItsPalette) {
    OwnedDib image;
    makeIndexed(image, 2, 2, 8, [](int x, int y) { return 1 + x + 2 * y; });
    RowBlit8(device, 0, 0, 4, 3, image.get(), -1, 0, 4, 3);
    const auto rows = device.callsOf(Call::SetDIBitsToDevice);
    ASSERT_EQ(rows.size(), 3u);
    auto indices = [](const RecordedCall& r) {
        return std::vector<int>(r.pixels.begin(), r.pixels.begin() + 4);
    };
    EXPECT_EQ(indices(rows[0]), (std::vector{0, 1, 2, 0}));
    EXPECT_EQ(indices(rows[1]), (std::vector{0, 3, 4, 0}));
    EXPECT_EQ(indices(rows[2]), (std::vector{0, 0, 0, 0}));
    const RgbQuad zero = rows[0].colorTable[0];
    EXPECT_EQ(qRgb(zero.rgbRed, zero.rgbGreen, zero.rgbBlue), paletteColour(0));
}

TEST_F(DrawTest, RowsAndColumnsOutsideTheClipBoxCostNothing) {
    OwnedDib image;
    makeTraceable(image, 4, 6);
    device.clip = IntRect{12, 22, 2, 2};  // destination rows 2 and 3, columns 2 and 3
    RowBlit24(device, 10, 20, 8, 12, image.get(), 0, 0, 4, 6);
    const auto rows = device.callsOf(Call::SetDIBitsToDevice);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].dest, (IntRect{10, 22, 8, 1}));
    EXPECT_EQ(rows[1].dest, (IntRect{10, 23, 8, 1}));
    EXPECT_EQ(sourceColumns(rows[0]), (std::vector{-1, -1, 1, 1, -1, -1, -1, -1}));
    EXPECT_EQ(sourceRows(rows[1]), (std::vector{-1, -1, 1, 1, -1, -1, -1, -1}));
}

TEST_F(DrawTest, RowOutputOfAnImageOfAnotherDepthDrawsNothing) {
    OwnedDib eightBit;
    makeIndexed(eightBit, 4, 4, 8, [](int, int) { return 1; });
    OwnedDib trueColour;
    makeTrueColour(trueColour, 4, 4);
    RowBlit24(device, 0, 0, 8, 8, eightBit.get(), 0, 0, 4, 4);
    RowBlit8(device, 0, 0, 8, 8, trueColour.get(), 0, 0, 4, 4);
    EXPECT_TRUE(device.calls.empty());
}

}  // namespace
