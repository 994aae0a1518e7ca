#include <gtest/gtest.h>

#include "output/printgeometry.h"

using namespace tessora;

namespace {
constexpr int kPageW = 4800;
constexpr int kPageH = 6800;

PrintOptions options(bool full, bool aspect, bool centred, int width = 50, int height = 50) {
    return PrintOptions{full, aspect, centred, width, height};
}
}  // namespace

TEST(PrintedChartRect, PortraitPageExamples) {
    struct Case {
        const char* name;
        PrintOptions options;
        QRect expected;
    };
    const Case cases[] = {
        {"full page, aspect, centred", options(true, true, true), QRect(0, 1421, 4800, 3957)},
        {"full page, aspect, top left", options(true, true, false), QRect(0, 0, 4800, 3957)},
        {"full page stretched", options(true, false, true), QRect(0, 0, 4800, 6800)},
        {"50 % x 50 % centred", options(false, false, true), QRect(1200, 1700, 2400, 3400)},
        {"50 % x 50 % top left", options(false, false, false), QRect(0, 0, 2400, 3400)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintedChartRect(kPageW, kPageH, 570, 470, c.options), c.expected) << c.name;
}

TEST(PrintedChartRect, TallChartFillsTheHeight) {
    // 1000 * 4800 / 470 = 10212 exceeds the page height, so the height decides.
    EXPECT_EQ(PrintedChartRect(kPageW, kPageH, 470, 1000, options(true, true, true)),
              QRect(802, 0, 3196, 6800));
}

TEST(PrintedChartRect, PercentagesRoundHalfToEven) {
    // 4802 * 25 / 100 = 1200.5 goes to 1200; 4806 * 25 / 100 = 1201.5 goes to 1202.
    EXPECT_EQ(PrintedChartRect(4802, 100, 10, 10, options(false, false, false, 25, 50)).width(),
              1200);
    EXPECT_EQ(PrintedChartRect(4806, 100, 10, 10, options(false, false, false, 25, 50)).width(),
              1202);
}

TEST(PrintedChartRect, EmptyChartGivesNothingInsteadOfDividingByZero) {
    EXPECT_TRUE(PrintedChartRect(kPageW, kPageH, 0, 470, options(true, true, true)).isEmpty());
    EXPECT_TRUE(PrintedChartRect(kPageW, kPageH, 570, 0, options(true, true, true)).isEmpty());
}

TEST(PreviewLayout, PortraitAndLandscapePages) {
    const PreviewGeometry portrait =
        PreviewLayout(190, kPageW, kPageH, 570, 470, options(true, true, true));
    EXPECT_EQ(portrait.page, QRect(28, 0, 134, 190));
    EXPECT_EQ(portrait.chart, QRect(28, 40, 134, 110));  // 470 * 134 / 570 = 110, centred in 190
    const PreviewGeometry landscape =
        PreviewLayout(190, kPageH, kPageW, 570, 470, options(true, true, false));
    EXPECT_EQ(landscape.page, QRect(0, 28, 190, 134));
    EXPECT_EQ(landscape.chart,
              QRect(0, 28, 162, 134));  // the height decides: 570 * 134 / 470 = 162
    const PreviewGeometry custom =
        PreviewLayout(190, kPageW, kPageH, 570, 470, options(false, false, true));
    EXPECT_EQ(custom.chart, QRect(28 + 33, 0 + 47, 67, 95));  // Round(50 * 134 / 100) = 67
    EXPECT_TRUE(
        PreviewLayout(190, kPageW, kPageH, 0, 0, options(true, true, true)).chart.isEmpty());
}

TEST(PercentCoupling, WidthGivesHeightAndIsDerivedAgainOutsideTheRange) {
    const CoupledPercentages wide = CoupleHeightToWidth(80, kPageW, kPageH, 570, 470);
    EXPECT_EQ(wide.height, 46);  // 470 * 80 / 570 * 4800 / 6800 = 46.56
    EXPECT_FALSE(wide.width.has_value());
    const CoupledPercentages tall = CoupleHeightToWidth(80, kPageW, kPageH, 470, 1000);
    EXPECT_EQ(tall.height, 100);  // 120.15 is limited
    ASSERT_TRUE(tall.width.has_value());
    EXPECT_EQ(*tall.width, 66);  // Trunc(470 * 100 / 1000 * 6800 / 4800) = Trunc(66.58)
    const CoupledPercentages tiny = CoupleHeightToWidth(1, kPageW, kPageH, 1000, 5);
    EXPECT_EQ(tiny.height, 1);
    ASSERT_TRUE(tiny.width.has_value());
}

TEST(PercentCoupling, HeightGivesWidthMirrored) {
    const CoupledWidth coupled = CoupleWidthToHeight(46, kPageW, kPageH, 570, 470);
    EXPECT_EQ(coupled.width, 79);  // 570 * 46 / 470 * 6800 / 4800 = 79.03
    EXPECT_FALSE(coupled.height.has_value());
    const CoupledWidth wide = CoupleWidthToHeight(90, kPageW, kPageH, 1000, 100);
    EXPECT_EQ(wide.width, 100);
    ASSERT_TRUE(wide.height.has_value());
    EXPECT_EQ(*wide.height, 7);  // Trunc(100 * 100 / 1000 * 4800 / 6800) = Trunc(7.06)
}
