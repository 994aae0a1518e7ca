#include <gtest/gtest.h>

#include "engine/numbers.h"
#include "engine/resample.h"
#include "engine/sizecoupling.h"

using namespace tessora;

TEST(Numbers, RoundGoesToTheEvenNeighbourOnHalves) {
    struct Case {
        double value;
        std::int64_t expected;
    };
    for (const Case c :
         {Case{62.5, 62}, {63.5, 64}, {18.75, 19}, {0.5, 0}, {1.5, 2}, {-2.5, -2}, {2.4999, 2}}) {
        EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
    }
}

TEST(Numbers, TruncAndDivGoTowardZero) {
    EXPECT_EQ(truncToInt(11.25), 11);
    EXPECT_EQ(truncToInt(-11.75), -11);
    EXPECT_EQ(divTrunc(-9, 16), 0);
    EXPECT_EQ(divTrunc(-17, 16), -1);
}

// The error steps of the dithering: (n + 8) / 16, truncated toward zero after adding 8.
TEST(Numbers, SixteenthsToStepsTable) {
    const std::pair<int, int> table[] = {{7, 0},    {8, 1},    {23, 1},   {24, 2},
                                         {-8, 0},   {-9, 0},   {-23, 0},  {-24, -1},
                                         {-25, -1}, {-39, -1}, {-40, -2}, {0, 0}};
    for (const auto& [n, q] : table)
        EXPECT_EQ(sixteenthsToSteps(n), q) << "n = " << n;
}

TEST(Numbers, RowPercentRisesToHundredAndNeverDividesByZero) {
    EXPECT_EQ(rowPercent(0, 3), 0);
    EXPECT_EQ(rowPercent(1, 3), 50);
    EXPECT_EQ(rowPercent(2, 3), 100);
    EXPECT_EQ(rowPercent(0, 1), 100);
    EXPECT_EQ(rowPercent(99'999'999, 100'000'000), 100);  // no overflow on tall pictures
}

TEST(Numbers, ZweihochCountsColoursOfADepth) {
    const std::pair<int, std::int64_t> table[] = {
        {-3, 1}, {0, 1}, {1, 2}, {4, 16}, {8, 256}, {24, 16777216}, {32, 4294967296}};
    for (const auto& [bits, count] : table)
        EXPECT_EQ(zweihoch(bits), count) << bits;
}

TEST(Numbers, ColourValuesTakeRedFromTheLowByte) {
    int r = 0, g = 0, b = 0;
    getrgb24(0x7F123456, r, g, b);
    EXPECT_EQ(r, 0x56);
    EXPECT_EQ(g, 0x34);
    EXPECT_EQ(b, 0x12);
}

TEST(SizeCoupling, HeightFollowsThePictureProportions) {
    struct Case {
        const char* name;
        int pictureWidth, pictureHeight, beads, expected;
    };
    const Case cases[] = {
        {"start picture at 30", 320, 200, 30, 19},
        {"62.5 goes to even", 320, 200, 100, 62},
        {"1000 beads", 320, 200, 1000, 625},
        {"0.3 limited to 1", 1000, 10, 30, 1},
        {"tall picture limited to 1000", 10, 1000, 30, 1000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(coupledBeadCount(c.pictureHeight, c.pictureWidth, c.beads), c.expected) << c.name;
    }
    EXPECT_EQ(coupledBeadCount(200, 0, 30), std::nullopt) << "no picture, no coupling";
}

TEST(SizeCoupling, FieldLimitsBeforeRounding) {
    EXPECT_EQ(beadCountFieldValue(0.4), 1);
    EXPECT_EQ(beadCountFieldValue(1000.6), 1000);
    EXPECT_EQ(beadCountFieldValue(2.5), 2);
}
