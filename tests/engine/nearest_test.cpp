#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <random>
#include <vector>

#include "engine/catalogue.h"
#include "engine/nearest.h"
#include "engine/nearestcell.h"

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

namespace {

// A bead grid palette as the reduction builds it: the fill colour (the first ticked one) in
// slots 0 to 9 and in the slot of every unticked colour, ticked colour i in slot 10 + i. Some
// catalogue colours are made equal to others, and some equal to the fill colour.
void beadGridPalette(std::mt19937& rng, Entries& entries) {
    LPAL pal = StartPalette();
    for (int k = 0; k < 6; ++k)  // duplicates among the catalogue colours
        pal.rgb0[rng() % 64] = pal.rgb0[rng() % 64];
    std::array<bool, 64> ticked{};
    for (bool& t : ticked)
        t = rng() % 3 != 0;
    int first = 0;
    while (first < 64 && !ticked[static_cast<std::size_t>(first)])
        ++first;
    const PalEntry fill = pal.rgb0[first < 64 ? first : 0];
    for (int k = 0; k < 3; ++k)  // ticked colours that equal the fill colour
        pal.rgb0[10 + rng() % 54] = fill;
    for (PalEntry& e : entries)
        e = fill;
    for (int i = 0; i < 64; ++i) {
        if (ticked[static_cast<std::size_t>(i)]) entries[10 + i] = pal.rgb0[i];
    }
}

// Every colour of `cells` randomly chosen cells of 4 x 4 x 4 colours.
void expectWholeCellsAsBruteForce(const Entries& entries, std::mt19937& rng, int cells,
                                  const char* name) {
    NearestColorIndex nearest(entries);
    for (int k = 0; k < cells; ++k) {
        const int r0 = static_cast<int>(rng() % 64) * 4, g0 = static_cast<int>(rng() % 64) * 4,
                  b0 = static_cast<int>(rng() % 64) * 4;
        for (int c = 0; c < 64; ++c) {
            const int r = r0 + c / 16, g = g0 + c / 4 % 4, b = b0 + c % 4;
            ASSERT_EQ(nearest.find(r, g, b), nearestIndexBruteForce(entries, r, g, b))
                << name << " colour " << r << "," << g << "," << b;
        }
    }
}

}  // namespace

TEST(Nearest, BeadGridPalettesWithRepeatsAndFillColoursMatchBruteForce) {
    std::mt19937 rng(1234);
    for (int palette = 0; palette < 8; ++palette) {
        Entries entries{};
        beadGridPalette(rng, entries);
        expectSameAsBruteForce(entries, rng, 250'000, "bead grid palette");
        expectWholeCellsAsBruteForce(entries, rng, 2'000, "bead grid palette, whole cells");
    }
}

TEST(Nearest, WholeCellsOfRandomPalettesMatchBruteForce) {
    std::mt19937 rng(99);
    for (const int distinct : {2, 5, 65, 256}) {
        Entries entries{};
        grainyPalette(rng, entries, distinct);
        expectWholeCellsAsBruteForce(entries, rng, 3'000, "random palette, whole cells");
    }
}

TEST(Nearest, RowSearchGivesTheAnswersOfSingleSearches) {
    std::mt19937 rng(5);
    Entries entries{};
    beadGridPalette(rng, entries);
    std::vector<std::uint8_t> bgr(3 * 500);
    for (std::uint8_t& v : bgr)
        v = static_cast<std::uint8_t>(rng());
    NearestColorIndex nearest(entries);
    std::vector<std::uint8_t> indices(500);
    nearest.findRow(bgr.data(), 500, indices.data());
    for (int x = 0; x < 500; ++x) {
        EXPECT_EQ(indices[static_cast<std::size_t>(x)],
                  nearestIndexBruteForce(entries, bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]))
            << "x " << x;
    }
}

// The index kept between calls must never answer for the colours of an earlier palette.
TEST(Nearest, KeptIndexFollowsEveryChangeOfThePalette) {
    std::mt19937 rng(77);
    Entries first{}, second{};
    beadGridPalette(rng, first);
    std::copy(std::begin(first), std::end(first), std::begin(second));
    second[12] = {1, 2, 3, 0};  // one colour differs
    const Entries* order[] = {&first, &second, &second, &first, &second};
    for (const Entries* entries : order) {
        NearestColorIndex& nearest = nearestIndexFor(*entries);
        for (int q = 0; q < 20'000; ++q) {
            const int r = static_cast<int>(rng() % 256), g = static_cast<int>(rng() % 256),
                      b = static_cast<int>(rng() % 256);
            ASSERT_EQ(nearest.find(r, g, b), nearestIndexBruteForce(*entries, r, g, b));
        }
        EXPECT_EQ(nearestIndexFor(*entries).find(1, 2, 3),
                  nearestIndexBruteForce(*entries, 1, 2, 3));
    }
}

TEST(NearestInCell, EarliestOfEquallyNearCandidatesWins) {
    // In the cell from (4, 4, 4): red 4 lies midway between reds 3 and 5, red 7 between 5 and 9.
    const CandidateColour candidates[] = {{9, 4, 4, 40}, {3, 4, 4, 41}, {5, 4, 4, 42}};
    std::array<std::uint8_t, kCellColours> answers{};
    nearestInCell({4, 4, 4}, candidates, answers);
    EXPECT_EQ(answers[0], 41) << "red 4: 3 and 5 equally near, the earlier wins";
    EXPECT_EQ(answers[16], 42) << "red 5";
    EXPECT_EQ(answers[32], 42) << "red 6";
    EXPECT_EQ(answers[48], 40) << "red 7: 5 and 9 equally near, the earlier wins";
}

TEST(NearestInCell, MatchesAPlainSearchOverTheCandidates) {
    std::mt19937 rng(3);
    for (int round = 0; round < 2'000; ++round) {
        std::vector<CandidateColour> candidates(1 + rng() % 6);
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            candidates[k] = {static_cast<int>(rng() % 256), static_cast<int>(rng() % 256),
                             static_cast<int>(rng() % 256), static_cast<std::uint8_t>(k)};
        }
        if (round % 3 == 0) candidates.back() = candidates.front();  // a repeat never wins
        const CellCorner corner{static_cast<int>(rng() % 64) * 4, static_cast<int>(rng() % 64) * 4,
                                static_cast<int>(rng() % 64) * 4};
        std::array<std::uint8_t, kCellColours> answers{};
        nearestInCell(corner, candidates, answers);
        for (int c = 0; c < kCellColours; ++c) {
            const int r = corner.red + c / 16, g = corner.green + c / 4 % 4,
                      b = corner.blue + c % 4;
            int best = 0, bestDistance = 1 << 30;
            for (const CandidateColour& k : candidates) {
                const int d = (k.red - r) * (k.red - r) + (k.green - g) * (k.green - g) +
                              (k.blue - b) * (k.blue - b);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = k.index;
                }
            }
            ASSERT_EQ(answers[static_cast<std::size_t>(c)], best)
                << "round " << round << " c " << c;
        }
    }
}
