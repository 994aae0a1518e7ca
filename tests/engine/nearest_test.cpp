#include <gtest/gtest.h>

#include <random>

#include "engine/catalogue.h"
#include "engine/nearest.h"

using namespace tessora;

namespace {

using Entries = PalEntry[kPaletteEntries];

PalEntry randomColour(std::mt19937& rng) {
    return {static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()),
            static_cast<std::uint8_t>(rng()), 0};
}

// Palettes as the reduction builds them: a fill colour in most slots, some colours repeated,
// some only a step apart so that ties and near-ties are common.
void grainyPalette(std::mt19937& rng, Entries& entries, int distinct) {
    std::vector<PalEntry> colours;
    for (int i = 0; i < distinct; ++i) {
        PalEntry c = randomColour(rng);
        if (!colours.empty() && rng() % 4 == 0) {  // a neighbour of an earlier colour
            c = colours[rng() % colours.size()];
            c.peGreen = static_cast<std::uint8_t>(c.peGreen + (rng() % 3) - 1);
        }
        colours.push_back(c);
    }
    for (int i = 0; i < kPaletteEntries; ++i)
        entries[i] = colours[0];
    for (int i = 10; i < 10 + distinct - 1 && i < kPaletteEntries; ++i) {
        entries[i] = rng() % 5 == 0 ? colours[0]
                                    : colours[static_cast<std::size_t>(1 + rng() % (distinct - 1))];
    }
}

void expectSameAsBruteForce(const Entries& entries, std::mt19937& rng, int queries,
                            const char* name) {
    NearestColorIndex nearest(entries);
    for (int q = 0; q < queries; ++q) {
        // Mostly colours near palette colours (where ties live), some anywhere.
        int r = static_cast<int>(rng() % 256), g = static_cast<int>(rng() % 256),
            b = static_cast<int>(rng() % 256);
        if (q % 2 == 0) {
            const PalEntry& near = entries[rng() % kPaletteEntries];
            r = std::clamp(near.peRed + static_cast<int>(rng() % 9) - 4, 0, 255);
            g = std::clamp(near.peGreen + static_cast<int>(rng() % 9) - 4, 0, 255);
            b = std::clamp(near.peBlue + static_cast<int>(rng() % 9) - 4, 0, 255);
        }
        ASSERT_EQ(nearest.find(r, g, b), nearestIndexBruteForce(entries, r, g, b))
            << name << " query " << q << " colour " << r << "," << g << "," << b;
    }
}

}  // namespace

TEST(Nearest, LowestIndexWinsAmongEquallyNearEntries) {
    Entries entries{};
    for (PalEntry& e : entries)
        e = {200, 200, 200, 0};
    entries[3] = {0, 0, 0, 0};
    entries[7] = {20, 0, 0, 0};
    entries[9] = {0, 0, 0, 0};  // a repeat of entry 3
    NearestColorIndex nearest(entries);
    EXPECT_EQ(nearest.find(10, 0, 0), 3) << "3 and 7 equally near";
    EXPECT_EQ(nearest.find(0, 0, 0), 3) << "3 and 9 the same colour";
    EXPECT_EQ(nearest.find(255, 255, 255), 0) << "the fill colour in slot 0 wins over its repeats";
    EXPECT_EQ(nearest.find(11, 0, 0), 7);
}

TEST(Nearest, CataloguePaletteMatchesBruteForceOnEveryFourthColour) {
    const LPAL pal = StartPalette();
    Entries entries{};
    for (int i = 0; i < kPaletteEntries; ++i)
        entries[i] = pal.rgb0[i < 64 ? i : 0];
    NearestColorIndex nearest(entries);
    for (int r = 0; r < 256; r += 3)
        for (int g = 1; g < 256; g += 4)
            for (int b = 2; b < 256; b += 5)
                ASSERT_EQ(nearest.find(r, g, b), nearestIndexBruteForce(entries, r, g, b));
}

TEST(Nearest, RandomPalettesWithRepeatsMatchBruteForce) {
    std::mt19937 rng(20240611);
    struct Case {
        const char* name;
        int distinct;
    };
    for (const Case c :
         {Case{"one colour", 1}, {"two colours", 2}, {"bead palette size", 65}, {"many", 200}}) {
        for (int palette = 0; palette < 12; ++palette) {
            Entries entries{};
            grainyPalette(rng, entries, c.distinct);
            expectSameAsBruteForce(entries, rng, 100'000, c.name);
        }
    }
}

TEST(Nearest, FullyRandomPaletteMatchesBruteForce) {
    std::mt19937 rng(7);
    Entries entries{};
    for (PalEntry& e : entries)
        e = randomColour(rng);
    expectSameAsBruteForce(entries, rng, 1'000'000, "random 256");
}
