#include <gtest/gtest.h>

#include <vector>

#include "engine/resample.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

std::vector<int> range(int from, int to, int step) {
    std::vector<int> v;
    for (int i = from; i <= to; i += step)
        v.push_back(i);
    return v;
}

// Records what a stage reports.
struct ProgressLog {
    std::vector<int> values;
    ProgressFn fn() {
        return [this](int p) { values.push_back(p); };
    }
};

}  // namespace

TEST(SamplePositions, WorkedExamples) {
    EXPECT_EQ(samplePositions(100, 30),
              (std::vector<int>{0,  3,  6,  9,  13, 16, 19, 23, 26, 29, 33, 36, 39, 43, 46,
                                49, 53, 56, 59, 63, 66, 69, 73, 76, 79, 83, 86, 89, 93, 96}));
    EXPECT_EQ(samplePositions(10, 30),
              (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4,
                                4, 5, 5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9}));
    const std::vector<int> columns = samplePositions(320, 30);
    EXPECT_EQ(columns.front(), 0);
    EXPECT_EQ(columns[1], 10);
    EXPECT_EQ(columns[2], 21);
    EXPECT_EQ(columns[3], 31);
    EXPECT_EQ(columns.back(), 309);
    const std::vector<int> rows = samplePositions(200, 30);
    EXPECT_EQ((std::vector<int>(rows.begin(), rows.begin() + 4)), (std::vector<int>{0, 6, 13, 19}));
    EXPECT_EQ(rows.back(), 193);
    EXPECT_EQ(samplePositions(7, 7), range(0, 6, 1));
}

TEST(Resize, SamplesStoredRowsFromTheBottomLeft) {
    // Every pixel encodes its own column and picture row.
    OwnedDib source(picture24(100, 40, [](int x, int y) { return Rgb{x, y, 7}; }));
    OwnedDib grid(Resize(source.get(), 30, 10, {}));
    ASSERT_EQ(DibWidth(grid.get()), 30);
    ASSERT_EQ(DibHeight(grid.get()), 10);
    EXPECT_EQ(DibBits(grid.get()), 24);
    const std::vector<int> columns = samplePositions(100, 30);
    const std::vector<int> storedRows = samplePositions(40, 10);
    for (int storedRow = 0; storedRow < 10; ++storedRow) {
        const int pictureRow = 40 - 1 - storedRows[storedRow];
        for (int x = 0; x < 30; ++x) {
            EXPECT_EQ(rgbAt(grid.get(), x, 10 - 1 - storedRow), (Rgb{columns[x], pictureRow, 7}))
                << "x " << x << " stored row " << storedRow;
        }
    }
    // The bottom row of the picture is always sampled, the top row here never.
    EXPECT_EQ(rgbAt(grid.get(), 0, 9).green, 39);
}

TEST(Resize, SameSizeIsAnExactCopy) {
    OwnedDib source(picture24(13, 5, [](int x, int y) {
        return Rgb{x * 19, y * 50, (x ^ y) * 9};
    }));
    OwnedDib copy(Resize(source.get(), 13, 5, {}));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            EXPECT_EQ(rgbAt(copy.get(), x, y), rgbAt(source.get(), x, y));
}

TEST(Resize, ProgressRisesPerRowThenDropsToZero) {
    OwnedDib source(picture24(4, 4, [](int, int) { return Rgb{1, 2, 3}; }));
    ProgressLog log;
    OwnedDib three(Resize(source.get(), 2, 3, log.fn()));
    EXPECT_EQ(log.values, (std::vector<int>{0, 0, 50, 100, 0}));
    ProgressLog single;
    OwnedDib one(Resize(source.get(), 2, 1, single.fn()));
    EXPECT_EQ(single.values, (std::vector<int>{0, 100, 0}));
}

TEST(DepthUpTo, IndexedPicturesTakeTheirPaletteColours) {
    const std::vector<Rgb> colours = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {1, 2, 3},
                                      {4, 5, 6},    {7, 8, 9},    {11, 12, 13}, {14, 15, 16},
                                      {17, 18, 19}, {21, 22, 23}, {24, 25, 26}, {27, 28, 29},
                                      {31, 32, 33}, {34, 35, 36}, {37, 38, 39}, {200, 100, 50}};
    OwnedDib four(indexedPicture(3, 2, 4, colours));
    (*four).poi[0] = 0x2F;  // bottom row: pixel 0 index 2, pixel 1 index 15
    OwnedDib expanded(DepthUpTo(four.get(), 24, {}));
    ASSERT_EQ(DibBits(expanded.get()), 24);
    EXPECT_EQ(rgbAt(expanded.get(), 0, 1), (Rgb{70, 80, 90}));
    EXPECT_EQ(rgbAt(expanded.get(), 1, 1), (Rgb{200, 100, 50}));
    EXPECT_EQ(rgbAt(expanded.get(), 2, 0), (Rgb{10, 20, 30}));

    OwnedDib eight(indexedPicture(5, 1, 8, colours));
    setpixel(eight.get(), 4, 0, 13);
    OwnedDib expanded8(DepthUpTo(eight.get(), 24, {}));
    EXPECT_EQ(rgbAt(expanded8.get(), 4, 0), (Rgb{34, 35, 36}));
    EXPECT_EQ(rgbAt(expanded8.get(), 3, 0), (Rgb{10, 20, 30}));
}

// A 1-bit picture whose palette puts white at index 0 must not come out as its negative.
TEST(DepthUpTo, OneBitPicturesTakeTheirPaletteColoursToo) {
    OwnedDib mono(indexedPicture(9, 2, 1, {{255, 255, 255}, {0, 0, 0}}));
    setpixel(mono.get(), 8, 0, 1);
    OwnedDib expanded(DepthUpTo(mono.get(), 24, {}));
    EXPECT_EQ(rgbAt(expanded.get(), 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(rgbAt(expanded.get(), 8, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(rgbAt(expanded.get(), 8, 1), (Rgb{255, 255, 255}));
}

TEST(DepthUpTo, TrueColourPicturesAreNotCopied) {
    OwnedDib source(picture24(2, 2, [](int, int) { return Rgb{1, 1, 1}; }));
    const dib result = DepthUpTo(source.get(), 24, {});
    EXPECT_EQ(result.poi, nullptr);
    EXPECT_EQ(result.pmi, nullptr);
}

TEST(DepthUpTo, SingleRowPictureReportsHundredNotADivisionByZero) {
    OwnedDib eight(indexedPicture(3, 1, 8, {{1, 2, 3}}));
    ProgressLog log;
    OwnedDib expanded(DepthUpTo(eight.get(), 24, log.fn()));
    EXPECT_EQ(log.values, (std::vector<int>{0, 100, 0}));
}

TEST(DepthUpTo, LackOfMemoryGivesAnEmptyRecord) {
    OwnedDib eight(indexedPicture(3000, 3000, 8, {{1, 2, 3}}));
    SetPixelBudget(1000);
    const dib result = DepthUpTo(eight.get(), 24, {});
    SetPixelBudget(0);
    EXPECT_EQ(result.poi, nullptr);
    EXPECT_EQ(result.poih, 0u);
}
