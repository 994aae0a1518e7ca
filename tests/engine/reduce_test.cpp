#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/catalogue.h"
#include "engine/reduce.h"
#include "photopicture.h"
#include "plainreference.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

Rgb catalogue(int i) {
    const BeadRgb& c = BeadStartColors[static_cast<std::size_t>(i)];
    return {c.red, c.green, c.blue};
}

Rgb paletteColour(const dib& grid, int slot) {
    const PalEntry& e = grid.pal.rgb0[slot];
    const RgbQuad& q = DibColorTable(grid)[slot];
    EXPECT_EQ(q.rgbRed, e.peRed) << "slot " << slot;  // both copies agree
    EXPECT_EQ(q.rgbGreen, e.peGreen) << "slot " << slot;
    EXPECT_EQ(q.rgbBlue, e.peBlue) << "slot " << slot;
    return {e.peRed, e.peGreen, e.peBlue};
}

}  // namespace

TEST(DepthDownTo, PaletteSlotsAndFallbackFollowTheTicks) {
    struct Case {
        const char* name;
        std::array<bool, 64> selection;
        int expectedNotfoundis;  // starting from 42
        int fill;                // catalogue colour in the unused slots
    };
    const Case cases[] = {
        {"nothing ticked", ticks({}), 42, 0},
        {"only 17 ticked", ticks({17}), 17, 17},
        {"0 and 5 ticked", ticks({0, 5}), 0, 0},
        {"all ticked", allTicks(), 0, 0},
    };
    const LPAL pal = StartPalette();
    OwnedDib source(picture24(2, 2, [](int, int) { return Rgb{0, 0, 0}; }));
    for (const Case& c : cases) {
        int notfoundis = 42;
        OwnedDib grid(DepthDownTo(source.get(), 64, 0, pal, c.selection, notfoundis, {}));
        EXPECT_EQ(notfoundis, c.expectedNotfoundis) << c.name;
        ASSERT_EQ(DibBits(grid.get()), 8) << c.name;
        for (int slot = 0; slot < 256; ++slot) {
            const int i = slot - 10;
            const bool own = i >= 0 && i < 64 && c.selection[static_cast<std::size_t>(i)];
            EXPECT_EQ(paletteColour(grid.get(), slot), own ? catalogue(i) : catalogue(c.fill))
                << c.name << " slot " << slot;
        }
    }
}

TEST(DepthDownTo, FirstTickedColourIsValueZeroOthersTheirSlot) {
    const LPAL pal = StartPalette();
    // Pixels: white, near white, colour 5 exactly, near colour 5, black (nearest of 0 and 5: 5).
    const Rgb pixels[] = {catalogue(0), {250, 250, 250}, catalogue(5), {210, 140, 150}, {0, 0, 0}};
    OwnedDib source(picture24(5, 1, [&](int x, int) { return pixels[x]; }));
    int notfoundis = 9;
    OwnedDib grid(DepthDownTo(source.get(), 64, 0, pal, ticks({0, 5}), notfoundis, {}));
    EXPECT_EQ(notfoundis, 0);
    const std::uint32_t expected[] = {0, 0, 15, 15, 15};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(getpixel(grid.get(), x, 0), expected[x]) << "x " << x;
}

TEST(DepthDownTo, ExactCatalogueColoursGetTheirSlotWithEverythingTicked) {
    const LPAL pal = StartPalette();
    OwnedDib source(picture24(64, 1, [](int x, int) { return catalogue(x); }));
    int notfoundis = 0;
    OwnedDib grid(DepthDownTo(source.get(), 64, 0, pal, allTicks(), notfoundis, {}));
    EXPECT_EQ(getpixel(grid.get(), 0, 0), 0u) << "the fill colour itself";
    for (int c = 1; c < 64; ++c)
        EXPECT_EQ(getpixel(grid.get(), c, 0), static_cast<std::uint32_t>(10 + c)) << c;
}

TEST(DepthDownTo, SingleColumnAndStoredRowOrder) {
    const LPAL pal = StartPalette();
    OwnedDib source(picture24(1, 3, [](int, int y) {
        return y == 0 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
    }));
    int notfoundis = 0;
    OwnedDib grid(DepthDownTo(source.get(), 64, 0, pal, allTicks(), notfoundis, {}));
    EXPECT_EQ(getpixel(grid.get(), 0, 0), 27u);
    EXPECT_EQ(getpixel(grid.get(), 0, 1), 0u);
    EXPECT_EQ(getpixel(grid.get(), 0, 2), 0u);
}

TEST(DepthDownTo, ProgressPerRowForNearestNoneForDithering) {
    const LPAL pal = StartPalette();
    OwnedDib source(picture24(3, 3, [](int, int) { return Rgb{9, 9, 9}; }));
    for (const int rolmod : {0, 1}) {
        std::vector<int> seen;
        int notfoundis = 0;
        OwnedDib grid(DepthDownTo(source.get(), 64, rolmod, pal, allTicks(), notfoundis,
                                  [&](int p) { seen.push_back(p); }));
        const std::vector<int> expected =
            rolmod == 0 ? std::vector<int>{0, 0, 50, 100, 0} : std::vector<int>{0, 0};
        EXPECT_EQ(seen, expected) << rolmod;
    }
}

TEST(DepthDownTo, LackOfMemoryLeavesNoGridButSetsTheFallback) {
    const LPAL pal = StartPalette();
    OwnedDib source(picture24(40, 40, [](int, int) { return Rgb{9, 9, 9}; }));
    SetPixelBudget(100);
    int notfoundis = 0;
    const dib grid = DepthDownTo(source.get(), 64, 0, pal, ticks({3}), notfoundis, {});
    SetPixelBudget(0);
    EXPECT_EQ(grid.poi, nullptr);
    EXPECT_EQ(notfoundis, 3);
}

TEST(DepthDownTo, CountsBeyondTheSlotsNeverWriteOutsideThePalette) {
    LPAL pal = StartPalette();
    std::array<bool, 300> selection{};
    selection.fill(true);
    OwnedDib source(picture24(2, 1, [](int, int) { return Rgb{1, 2, 3}; }));
    int notfoundis = 0;
    OwnedDib grid(DepthDownTo(source.get(), 300, 0, pal, selection, notfoundis, {}));
    EXPECT_EQ(DibBits(grid.get()), 8);  // and the sanitizer build sees no write past entry 255
}

namespace {

// Ticks and palettes the reduction meets: everything, a few colours, one colour, and catalogue
// colours made equal to others or to the fill colour.
struct PaletteCase {
    const char* name;
    std::array<bool, 64> ticks;
    LPAL pal;
};

std::vector<PaletteCase> paletteCases() {
    std::mt19937 rng(42);
    std::array<bool, 64> some{};
    for (bool& t : some)
        t = rng() % 4 == 0;
    LPAL repeats = StartPalette();
    repeats.rgb0[20] = repeats.rgb0[5];
    repeats.rgb0[33] = repeats.rgb0[0];  // equal to the fill colour
    repeats.rgb0[40] = repeats.rgb0[41];
    return {{"all ticked", allTicks(), StartPalette()},
            {"a quarter ticked", some, StartPalette()},
            {"one ticked", ticks({17}), StartPalette()},
            {"black and white", ticks({0, 17}), StartPalette()},
            {"repeated colours", allTicks(), repeats}};
}

}  // namespace

TEST(DepthDownTo, NearestGridEqualsThePlainSearchOnPhotoLikePictures) {
    for (const Grain grain : {Grain::Smooth, Grain::Photo, Grain::Noisy}) {
        OwnedDib source(photoPicture(160, 120, grain, 3));
        for (const PaletteCase& c : paletteCases()) {
            int notfoundis = 0;
            OwnedDib grid(DepthDownTo(source.get(), 64, 0, c.pal, c.ticks, notfoundis, {}));
            ASSERT_EQ(gridValues(grid.get()), plainNearest(source.get(), grid.get()))
                << c.name << ", grain " << static_cast<int>(grain);
        }
    }
}

TEST(DepthDownTo, DitheredGridEqualsThePlainDiffusionOnPhotoLikePictures) {
    struct Size {
        int width, height;
    };
    for (const Size size : {Size{1, 9}, Size{2, 5}, Size{3, 4}, Size{161, 121}}) {
        for (const Grain grain : {Grain::Smooth, Grain::Noisy}) {
            OwnedDib source(photoPicture(size.width, size.height, grain, 8));
            for (const PaletteCase& c : paletteCases()) {
                int notfoundis = 0;
                OwnedDib grid(DepthDownTo(source.get(), 64, 1, c.pal, c.ticks, notfoundis, {}));
                ASSERT_EQ(gridValues(grid.get()), plainErrorDiffusion(source.get(), grid.get()))
                    << c.name << ", " << size.width << " x " << size.height << ", grain "
                    << static_cast<int>(grain);
            }
        }
    }
}
