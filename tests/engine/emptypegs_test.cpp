#include <gtest/gtest.h>

#include <set>

#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "engine/chart.h"
#include "engine/emptypegs.h"
#include "engine/mydither.h"
#include "engine/resample.h"
#include "photopicture.h"
#include "plainreference.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

constexpr Rgb kMarker{255, 0, 255};

// A sprite of `width` x `height`: transparent (and magenta) outside an ellipse and in a few
// stray pixels, opaque colours inside; so the colour tells which pixels are transparent.
struct Sprite {
    dib picture;
    AlphaPlane alpha;
};
Sprite sprite(int width, int height) {
    Sprite s{picture24(width, height,
                       [&](int x, int y) {
                           const double dx = (x - width / 2.0) / (width / 2.0);
                           const double dy = (y - height / 2.0) / (height / 2.0);
                           const bool inside = dx * dx + dy * dy < 0.8 && (x * 7 + y * 3) % 11;
                           return inside ? Rgb{40 + x % 200, 90, 30 + y % 200} : kMarker;
                       }),
             {width, height, {}}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool marked = rgbAt(s.picture, x, y) == kMarker;
            // Alpha just below and at half, to pin the threshold.
            s.alpha.alpha.push_back(marked ? static_cast<std::uint8_t>((x + y) % 2 ? 127 : 0)
                                           : static_cast<std::uint8_t>((x + y) % 2 ? 128 : 255));
        }
    }
    return s;
}

Document startedDocument() {
    Document doc;
    createStartImages(doc);
    doc.pal = StartPalette();
    return doc;
}

}  // namespace

TEST(EmptyPegs, TransparentSampledPixelsBecomeEmptyPegsAndNothingElse) {
    struct Case {
        int pictureWidth, pictureHeight, beadsWide, beadsHigh;
        int rolmod;
    };
    const auto selection = allTicks();
    for (const Case& c : {Case{40, 30, 40, 30, 0}, Case{57, 43, 13, 11, 0}, Case{57, 43, 13, 11, 1},
                          Case{20, 15, 47, 33, 1}, Case{9, 31, 5, 29, 0}}) {
        Sprite s = sprite(c.pictureWidth, c.pictureHeight);
        Document doc = startedDocument();
        replaceSourcePicture(doc, s.picture);
        CalculateInputs inputs{c.beadsWide, c.beadsHigh, c.rolmod, selection};
        inputs.alpha = &s.alpha;
        ASSERT_EQ(calculatePattern(doc, inputs, {}), EngineError::None);
        OwnedDib sampled(Resize(doc.di, c.beadsWide, c.beadsHigh, {}));
        int empty = 0;
        for (int y = 0; y < c.beadsHigh; ++y) {
            for (int x = 0; x < c.beadsWide; ++x) {
                const bool transparent = rgbAt(sampled.get(), x, y) == kMarker;
                ASSERT_EQ(getpixel(doc.di3, x, y) == kEmptyPeg, transparent)
                    << c.pictureWidth << "x" << c.pictureHeight << " to " << c.beadsWide << "x"
                    << c.beadsHigh << " at " << x << "," << y;
                empty += transparent ? 1 : 0;
            }
        }
        EXPECT_GT(empty, 0);

        inputs.keepTransparentEmpty = false;
        ASSERT_EQ(calculatePattern(doc, inputs, {}), EngineError::None);
        const GridValues optionOff = gridValues(doc.di3);
        inputs.alpha = nullptr;
        ASSERT_EQ(calculatePattern(doc, inputs, {}), EngineError::None);
        EXPECT_EQ(optionOff, gridValues(doc.di3)) << "the option off: as without alpha";
        FreeDocument(doc);
    }
}

TEST(EmptyPegs, AnAlphaPlaneOfAnotherPictureIsIgnored) {
    Sprite s = sprite(20, 10);
    const AlphaPlane wrong{10, 20, s.alpha.alpha};
    Document doc = startedDocument();
    replaceSourcePicture(doc, s.picture);
    const auto selection = allTicks();
    CalculateInputs inputs{20, 10, 0, selection};
    inputs.alpha = &wrong;
    ASSERT_EQ(calculatePattern(doc, inputs, {}), EngineError::None);
    for (const auto& row : gridValues(doc.di3))
        for (const int v : row)
            EXPECT_NE(v, kEmptyPeg);
    FreeDocument(doc);
}

TEST(EmptyPegs, BackgroundConnectedToTheBorderIsRemovedWithinTheTolerance) {
    // 9 x 7: a near-white background (250) with a white (255) corner bead, a red ring with a
    // white hole inside, and a white bead outside the ring that touches no border... reached
    // through the background.
    const auto colourAt = [](int x, int y) -> Rgb {
        if (x >= 2 && x <= 6 && y >= 1 && y <= 5) {
            if (x == 4 && y == 3) return {250, 250, 250};  // enclosed: never background
            return {200, 0, 0};
        }
        if (x == 0 && y == 0) return {255, 255, 255};
        return {250, 250, 250};
    };
    struct Case {
        const char* name;
        int tolerance;
        int removed;  // beads outside the ring that go
    };
    // Outside the ring: 9 * 7 - 5 * 5 = 38 beads, one of them 5 steps off the border colour
    // (250), which 1 % (2.55 steps) keeps and 2 % (5.1 steps) takes.
    for (const Case& c : {Case{"exact", 0, 37}, Case{"1 %", 1, 37}, Case{"2 %", 2, 38},
                          Case{"everything", 100, 63}}) {
        OwnedDib grid(picture24(9, 7, colourAt));
        BeadMask mask;
        removeBackground(grid.get(), c.tolerance, mask);
        ASSERT_EQ(mask.size(), 63u);
        int removed = 0;
        for (const std::uint8_t m : mask)
            removed += m;
        EXPECT_EQ(removed, c.removed) << c.name;
        EXPECT_EQ(mask[3 * 9 + 4], c.tolerance == 100 ? 1 : 0) << c.name << ": enclosed hole";
    }
}

TEST(EmptyPegs, BackgroundRemovalPassesThroughTransparentBeads) {
    // 5 x 5 of blue with a green bead in the middle, and the ring around the middle... the
    // border transparent except one blue bead: the blue inside is reached through the
    // transparent border beads.
    OwnedDib grid(picture24(5, 5, [](int x, int y) {
        return x == 2 && y == 2 ? Rgb{0, 200, 0} : Rgb{0, 0, 200};
    }));
    BeadMask mask(25, 0);
    for (int i = 0; i < 5; ++i)
        mask[static_cast<std::size_t>(i)] = mask[static_cast<std::size_t>(20 + i)] =
            mask[static_cast<std::size_t>(5 * i)] = mask[static_cast<std::size_t>(5 * i + 4)] = 1;
    mask[0] = 0;  // the one opaque border bead, which gives the border colour
    removeBackground(grid.get(), 0, mask);
    for (std::size_t i = 0; i < 25; ++i)
        EXPECT_EQ(mask[i], i == 12 ? 0 : 1) << i;
}

TEST(EmptyPegs, DitheringSpreadsNoErrorFromOrIntoEmptyPegs) {
    // Empty pegs in the left columns: the rest must dither exactly as a picture of the right
    // columns alone, whose lost shares fall into the guard cells.
    OwnedDib source(photoPicture(23, 17, Grain::Noisy, 4));
    const int emptyColumns = 6;
    OwnedDib right(picture24(23 - emptyColumns, 17, [&](int x, int y) {
        return rgbAt(source.get(), x + emptyColumns, y);
    }));
    BeadMask mask(23 * 17, 0);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < emptyColumns; ++x)
            mask[static_cast<std::size_t>(y * 23 + x)] = 1;
    for (const ColourDistance distance : {ColourDistance::Rgb, ColourDistance::Oklab}) {
        OwnedDib whole, alone;
        newdib(&*whole, 23, 17, 8, nullptr, 0);
        newdib(&*alone, 23 - emptyColumns, 17, 8, nullptr, 0);
        const LPAL pal = StartPalette();
        for (int i = 0; i < 256; ++i)
            (*whole).pal.rgb0[i] = (*alone).pal.rgb0[i] = pal.rgb0[i % 64];
        ErrorDiffuse(source.get(), whole.get(), distance, &mask);
        ErrorDiffuse(right.get(), alone.get(), distance);
        const GridValues w = gridValues(whole.get()), a = gridValues(alone.get());
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 23 - emptyColumns; ++x)
                ASSERT_EQ(w[y][x + emptyColumns], a[y][x]) << x << "," << y;
    }
}

TEST(EmptyPegs, ChartShowsAnEmptyPegAsAWhiteCellWithAGreyRingAndCountsNoBead) {
    OwnedDib grid;
    newdib(&*grid, 2, 1, 8, nullptr, 0);
    for (int i = 0; i < 256; ++i)
        (*grid).pal.rgb0[i] = {0, 0, 0, 0};
    setpixel(grid.get(), 0, 0, kEmptyPeg);
    setpixel(grid.get(), 1, 0, 27);  // black
    dib chart{};
    BeadCounts counts{};
    ASSERT_EQ(drawChart(grid.get(), 2, 1, 0, chart, counts), EngineError::None);
    BeadCounts expected{};
    expected[17] = 1;
    EXPECT_EQ(counts, expected) << "the empty peg is no bead, not even of notfoundis";
    const ChartGeometry g = chartGeometry(2, 1);
    std::set<std::uint32_t> colours;
    for (int y = 10; y < 10 + g.cellHeight; ++y)
        for (int x = 60; x < 60 + g.cellWidth; ++x)
            colours.insert(getpixel(chart, x, y));
    EXPECT_EQ(colours, (std::set<std::uint32_t>{0xFFFFFF, 0xC0C0C0})) << "no number, no black";
    EXPECT_EQ(getpixel(chart, 60, 10), 0xC0C0C0u) << "grey edge";
    EXPECT_EQ(getpixel(chart, 60 + g.cellWidth / 2, 10 + g.cellHeight / 2), 0xFFFFFFu)
        << "white in the middle of the ring";
    EXPECT_EQ(statisticsLines(counts), QStringList{QStringLiteral("18: 1")});
    FreeDib(chart);
}
