#include <gtest/gtest.h>

#include "engine/catalogue.h"
#include "engine/mydither.h"
#include "engine/reduce.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

// An 8-bit target whose palette is `background` everywhere but the given slots.
dib targetWith(int width, int height, Rgb background,
               std::initializer_list<std::pair<int, Rgb>> entries) {
    dib target{};
    newdib(&target, width, height, 8, nullptr, 0);
    auto set = [&](int slot, Rgb c) {
        target.pal.rgb0[slot] = {static_cast<std::uint8_t>(c.red),
                                 static_cast<std::uint8_t>(c.green),
                                 static_cast<std::uint8_t>(c.blue), 0};
        DibColorTable(target)[slot] = {static_cast<std::uint8_t>(c.blue),
                                       static_cast<std::uint8_t>(c.green),
                                       static_cast<std::uint8_t>(c.red), 0};
    };
    for (int slot = 0; slot < 256; ++slot)
        set(slot, background);
    for (const auto& [slot, c] : entries)
        set(slot, c);
    return target;
}

std::vector<std::vector<int>> rowsOf(const dib& grid) {
    std::vector<std::vector<int>> rows(static_cast<std::size_t>(DibHeight(grid)));
    for (int y = 0; y < DibHeight(grid); ++y)
        for (int x = 0; x < DibWidth(grid); ++x)
            rows[static_cast<std::size_t>(y)].push_back(static_cast<int>(getpixel(grid, x, y)));
    return rows;
}

}  // namespace

TEST(ErrorDiffuse, GreyFieldBecomesACheckerboardWhiteAtTopLeft) {
    OwnedDib source(picture24(6, 3, [](int, int) { return Rgb{128, 128, 128}; }));
    OwnedDib target(targetWith(6, 3, {255, 255, 255}, {{27, {0, 0, 0}}}));
    ErrorDiffuse(source.get(), target.get());
    EXPECT_EQ(rowsOf(target.get()),
              (std::vector<std::vector<int>>{
                  {0, 27, 0, 27, 0, 27}, {27, 0, 27, 0, 27, 0}, {0, 27, 0, 27, 0, 27}}));
}

TEST(ErrorDiffuse, TheSameThroughTheReductionWithWhiteAndBlackTicked) {
    OwnedDib source(picture24(6, 3, [](int, int) { return Rgb{128, 128, 128}; }));
    int notfoundis = 5;
    OwnedDib grid(DepthDownTo(source.get(), 64, 1, StartPalette(), ticks({0, 17}), notfoundis, {}));
    EXPECT_EQ(notfoundis, 0);
    EXPECT_EQ(rowsOf(grid.get()),
              (std::vector<std::vector<int>>{
                  {0, 27, 0, 27, 0, 27}, {27, 0, 27, 0, 27, 0}, {0, 27, 0, 27, 0, 27}}));
}

TEST(ErrorDiffuse, ExactPaletteColoursPassOnNoError) {
    const Rgb colours[] = {{10, 20, 30}, {200, 100, 50}, {10, 20, 30}, {0, 0, 0}};
    OwnedDib source(picture24(4, 2, [&](int x, int) { return colours[x]; }));
    OwnedDib target(targetWith(4, 2, {0, 0, 0}, {{12, colours[0]}, {13, colours[1]}}));
    ErrorDiffuse(source.get(), target.get());
    EXPECT_EQ(rowsOf(target.get()),
              (std::vector<std::vector<int>>{{12, 13, 12, 0}, {12, 13, 12, 0}}));
}

// Pixel 1 carries 7/16 of a blue error of 22 (q = 10) to a blue of 250, which clamps at 255 and
// becomes the entry of blue 240; pixel 2 (blue 112) then gets 7/16 of 15 (q = 7) and stays
// nearer black. Without the clamp the error would be 20, q = 9, and pixel 2 would turn blue.
TEST(ErrorDiffuse, ClampedValueIsWhatTheErrorIsTakenFrom) {
    const Rgb colours[] = {{0, 0, 22}, {0, 0, 250}, {0, 0, 112}};
    OwnedDib source(picture24(3, 1, [&](int x, int) { return colours[x]; }));
    OwnedDib target(targetWith(3, 1, {0, 0, 0}, {{27, {0, 0, 240}}}));
    ErrorDiffuse(source.get(), target.get());
    EXPECT_EQ(rowsOf(target.get()), (std::vector<std::vector<int>>{{0, 27, 0}}));
}

// One pixel per row: only the 5/16 below survives. Grey 100 gives 100, 131, 62, 119, 137.
TEST(ErrorDiffuse, OnePixelWidePassesOnlyFiveSixteenthsDown) {
    OwnedDib source(picture24(1, 5, [](int, int) { return Rgb{100, 100, 100}; }));
    OwnedDib target(targetWith(1, 5, {255, 255, 255}, {{27, {0, 0, 0}}}));
    ErrorDiffuse(source.get(), target.get());
    EXPECT_EQ(rowsOf(target.get()), (std::vector<std::vector<int>>{{27}, {0}, {27}, {27}, {0}}));
}

TEST(ErrorDiffuse, SerpentineRowsSendTheErrorTheOtherWay) {
    // Row 0 runs left to right, row 1 right to left: the right-hand pixel of row 1 is done
    // first and gets the 5/16 below pixel 1 plus the 1/16 below-right of pixel 0.
    OwnedDib source(picture24(2, 2, [](int x, int y) {
        return y == 0 ? Rgb{100, 100, 100} : Rgb{x == 1 ? 90 : 0, 90, 90};
    }));
    OwnedDib target(targetWith(2, 2, {255, 255, 255}, {{27, {0, 0, 0}}, {30, {160, 160, 160}}}));
    ErrorDiffuse(source.get(), target.get());
    // Row 0: 100 -> grey 160 (e -60), then 100 + q(-420) = 75 -> black (e 75).
    // Row 1 starts at x = 1: 90 + q(5 * 75 + 1 * (-60)) = 90 + 20 = 110 -> grey.
    const auto rows = rowsOf(target.get());
    EXPECT_EQ(rows[0], (std::vector<int>{30, 27}));
    EXPECT_EQ(rows[1][1], 30);
}

TEST(ErrorDiffuse, NothingHappensWithoutPixelsOrWithAMismatchedTarget) {
    OwnedDib source(picture24(3, 3, [](int, int) { return Rgb{1, 1, 1}; }));
    OwnedDib small(targetWith(2, 3, {0, 0, 0}, {}));
    (*small).poi[0] = 77;
    ErrorDiffuse(source.get(), small.get());
    EXPECT_EQ((*small).poi[0], 77);
    ErrorDiffuse(dib{}, small.get());
    EXPECT_EQ((*small).poi[0], 77);
}
