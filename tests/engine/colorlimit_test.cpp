#include <gtest/gtest.h>

#include <random>

#include "engine/calculate.h"
#include "engine/colorlimit.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

// Clusters of picture colours around a few centres, so that choices matter.
dib clusteredPicture(std::mt19937& random, int width, int height) {
    std::uniform_int_distribution<int> channel(0, 255), spread(-40, 40), centre(0, 5);
    std::array<Rgb, 6> centres{};
    for (Rgb& c : centres)
        c = {channel(random), channel(random), channel(random)};
    return picture24(width, height, [&](int, int) {
        const Rgb& c = centres[static_cast<std::size_t>(centre(random))];
        auto near = [&](int v) { return std::clamp(v + spread(random), 0, 255); };
        return Rgb{near(c.red), near(c.green), near(c.blue)};
    });
}

LPAL randomPalette(std::mt19937& random, int count) {
    std::uniform_int_distribution<int> channel(0, 255);
    LPAL pal{};
    pal.num = static_cast<std::uint16_t>(count);
    for (int i = 0; i < count; ++i)
        pal.rgb0[i] = {static_cast<std::uint8_t>(channel(random)),
                       static_cast<std::uint8_t>(channel(random)),
                       static_cast<std::uint8_t>(channel(random)), 0};
    return pal;
}

double bestPossibleError(const ColorHistogram& histogram, const LPAL& pal, int n, int k) {
    double best = -1;
    for (unsigned mask = 0; mask < (1u << n); ++mask) {
        if (std::popcount(mask) != k) continue;
        std::vector<int> subset;
        for (int i = 0; i < n; ++i)
            if (mask >> i & 1) subset.push_back(i);
        const double error = totalColorError(histogram, pal, subset);
        if (best < 0 || error < best) best = error;
    }
    return best;
}

}  // namespace

TEST(ColorLimit, WithinTwoPercentOfEverySubsetTried) {
    const struct { int choose, of; } sizes[] = {{3, 8}, {5, 12}, {1, 6}, {4, 5}};
    std::mt19937 random(18);
    for (const auto& size : sizes) {
        for (int round = 0; round < 6; ++round) {
            OwnedDib picture(clusteredPicture(random, 30, 20));
            const LPAL pal = randomPalette(random, size.of);
            const auto ticks = allTicks();
            const ColorHistogram histogram = colorHistogram(picture.get());
            ASSERT_TRUE(histogram.exact);
            const std::vector<int> chosen =
                chooseColors(histogram, pal, size.of, ticks, size.choose);
            ASSERT_EQ(static_cast<int>(chosen.size()), size.choose);
            EXPECT_TRUE(std::is_sorted(chosen.begin(), chosen.end()));
            EXPECT_EQ(chosen, chooseColors(histogram, pal, size.of, ticks, size.choose));
            const double best = bestPossibleError(histogram, pal, size.of, size.choose);
            EXPECT_LE(totalColorError(histogram, pal, chosen), 1.02 * best)
                << size.choose << " of " << size.of << ", round " << round;
        }
    }
}

TEST(ColorLimit, OnlyTickedColoursAreChosenAndSmallSelectionsStay) {
    std::mt19937 random(7);
    OwnedDib picture(clusteredPicture(random, 16, 16));
    const LPAL pal = randomPalette(random, 10);
    const ColorHistogram histogram = colorHistogram(picture.get());
    const auto some = ticks({1, 3, 4, 8, 9});
    for (const int c : chooseColors(histogram, pal, 10, some, 2))
        EXPECT_TRUE(some[static_cast<std::size_t>(c)]) << c;
    EXPECT_EQ(chooseColors(histogram, pal, 10, some, 5), (std::vector<int>{1, 3, 4, 8, 9}));
    EXPECT_EQ(chooseColors(histogram, pal, 10, some, 0), (std::vector<int>{1, 3, 4, 8, 9}));
}

// The calculate command with a limit: the grid uses the chosen colours only, and says which.
TEST(ColorLimit, CalculationReducesToTheChosenColours) {
    Document doc;
    ASSERT_EQ(createStartImages(doc), EngineError::None);
    doc.pal = StartPalette();
    std::mt19937 random(3);
    replaceSourcePicture(doc, clusteredPicture(random, 24, 24));
    const auto everything = allTicks();
    ASSERT_EQ(calculatePattern(doc, {24, 24, 0, everything, 4}, {}), EngineError::None);
    ASSERT_EQ(doc.chosenColors.size(), 4u);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const int value = static_cast<int>(getpixel(doc.di3, x, y));
            const int colour = value == 0 ? doc.notfoundis : value - PaletteSlotBase;
            EXPECT_TRUE(std::count(doc.chosenColors.begin(), doc.chosenColors.end(), colour))
                << value;
        }
    }
    EXPECT_EQ(doc.notfoundis, doc.chosenColors.front());
    ASSERT_EQ(calculatePattern(doc, {24, 24, 0, everything}, {}), EngineError::None);
    EXPECT_TRUE(doc.chosenColors.empty());
    FreeDocument(doc);
}
