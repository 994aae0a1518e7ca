#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/catalogue.h"
#include "engine/ciede2000lowerbound.h"
#include "engine/colourdistance.h"
#include "engine/perceptualnearest.h"
#include "engine/reduce.h"
#include "photopicture.h"
#include "plainreference.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

struct SharmaPair {
    LabColour first, second;
    double expected;
};

// Sharma, Wu and Dalal (2005), table 1: pairs chosen to cross every branch of the hue mean and
// hue difference and the rotation term.
constexpr SharmaPair kSharmaPairs[] = {
    {{50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
    {{50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615},
    {{50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412},
    {{50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
    {{50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
    {{50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
    {{50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
    {{50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
    {{50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000},
    {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
    {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
    {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
    {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
    {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
    {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
    {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
    {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
    {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
};

using Entries = PalEntry[256];

// The bead grid palette of the ticked catalogue colours: the fill colour in every other slot.
void gridPalette(std::mt19937& rng, bool tickAll, Entries& entries) {
    const LPAL pal = StartPalette();
    std::array<bool, 64> ticked{};
    for (bool& t : ticked)
        t = tickAll || rng() % 3 != 0;
    const auto first =
        static_cast<std::size_t>(std::find(ticked.begin(), ticked.end(), true) - ticked.begin());
    for (PalEntry& e : entries)
        e = pal.rgb0[first];
    for (std::size_t i = 0; i < 64; ++i) {
        if (ticked[i]) entries[10 + i] = pal.rgb0[i];
    }
}

// With `repeats`, some colours twice, so equal distances occur; without, 256 distinct ones.
void randomPalette(std::mt19937& rng, bool repeats, Entries& entries) {
    for (PalEntry& e : entries)
        e = {static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()),
             static_cast<std::uint8_t>(rng()), 0};
    for (int k = 0; repeats && k < 20; ++k)
        entries[rng() % 256] = entries[rng() % 256];
}

void expectSameAsPlain(ColourDistance distance, const Entries& entries, std::mt19937& rng,
                       int queries, const char* name) {
    PerceptualNearestIndex index(entries, distance);
    const PlainSearch plain(entries, distance);
    for (int q = 0; q < queries; ++q) {
        int r = static_cast<int>(rng() % 256), g = static_cast<int>(rng() % 256),
            b = static_cast<int>(rng() % 256);
        if (q % 2 == 0) {  // near a palette colour, where the close calls are
            const PalEntry& e = entries[rng() % 256];
            r = std::clamp(e.peRed + static_cast<int>(rng() % 7) - 3, 0, 255);
            g = std::clamp(e.peGreen + static_cast<int>(rng() % 7) - 3, 0, 255);
            b = std::clamp(e.peBlue + static_cast<int>(rng() % 7) - 3, 0, 255);
        }
        ASSERT_EQ(index.find(r, g, b), plain.nearest(r, g, b))
            << name << " colour " << r << "," << g << "," << b;
    }
}

}  // namespace

TEST(ColourDistance, Ciede2000ReproducesThePublishedPairs) {
    for (const SharmaPair& p : kSharmaPairs) {
        EXPECT_NEAR(ciede2000(p.first, p.second), p.expected, 0.5e-4)
            << p.first.l << " " << p.first.a << " " << p.first.b << " / " << p.second.l << " "
            << p.second.a << " " << p.second.b;
    }
}

TEST(ColourDistance, ConversionsOfKnownColours) {
    struct Case {
        const char* name;
        LabColour got, expected;
    };
    // CIELAB of sRGB red (D65) and OKLab of sRGB blue, as published with the spaces.
    for (const Case& c : {Case{"white", cielabOf(255, 255, 255), {100, 0, 0}},
                          Case{"red", cielabOf(255, 0, 0), {53.2408, 80.0925, 67.2032}},
                          Case{"oklab white", oklabOf(255, 255, 255), {1, 0, 0}},
                          Case{"oklab blue", oklabOf(0, 0, 255), {0.4520, -0.0325, -0.3115}}}) {
        EXPECT_NEAR(c.got.l, c.expected.l, 2e-3) << c.name;
        EXPECT_NEAR(c.got.a, c.expected.a, 2e-3) << c.name;
        EXPECT_NEAR(c.got.b, c.expected.b, 2e-3) << c.name;
    }
}

// CIELAB's curve takes roots from 0.0088 up to 1; the bit guess must hold far beyond too.
TEST(ColourDistance, CubeRootIsWithinAnUlp) {
    std::mt19937_64 rng(27);
    for (int i = 0; i < 200'000; ++i) {
        const double t = std::ldexp(std::uniform_real_distribution<double>(1, 2)(rng),
                                    static_cast<int>(rng() % 120) - 100);
        const double root = cubeRoot(t);
        const double ulp = std::nextafter(root, HUGE_VAL) - root;
        ASSERT_LE(
            std::fabs(static_cast<long double>(root) - std::cbrt(static_cast<long double>(t))), ulp)
            << t;
    }
}

TEST(PerceptualNearest, EqualsThePlainSearchOnMillionsOfColours) {
    struct Case {
        const char* name;
        ColourDistance distance;
        int palettes;
        int queries;
    };
    std::mt19937 rng(1905);
    for (const Case& c : {Case{"oklab", ColourDistance::Oklab, 4, 500'000},
                          Case{"ciede2000", ColourDistance::Ciede2000, 5, 60'000}}) {
        for (int k = 0; k < c.palettes; ++k) {
            Entries entries{};
            if (k >= 3) {
                randomPalette(rng, k == 3, entries);
            } else {
                gridPalette(rng, k == 0, entries);
            }
            expectSameAsPlain(c.distance, entries, rng, c.queries, c.name);
        }
    }
}

TEST(PerceptualNearest, ReductionAndDitheringEqualThePlainOnesOnPhotoLikePictures) {
    const LPAL pal = StartPalette();
    for (const ColourDistance distance : {ColourDistance::Ciede2000, ColourDistance::Oklab}) {
        for (const auto& ticked : {allTicks(), ticks({0, 3, 17, 20, 33, 40, 51, 63})}) {
            OwnedDib source(photoPicture(97, 61, Grain::Noisy, 5));
            for (const int rolmod : {0, 1}) {
                int notfoundis = 0;
                OwnedDib grid(DepthDownTo(source.get(), 64, rolmod, pal, ticked, notfoundis, {},
                                          {distance, nullptr}));
                const GridValues plain =
                    rolmod == 0 ? plainNearest(source.get(), grid.get(), distance)
                                : plainErrorDiffusion(source.get(), grid.get(), distance);
                ASSERT_EQ(gridValues(grid.get()), plain)
                    << "distance " << static_cast<int>(distance) << " rolmod " << rolmod;
            }
        }
    }
}

// Large enough for the second thread: every bead is the index's own answer, also in the next
// calculation, which takes the second thread's answers from the kept index.
TEST(PerceptualNearest, LargePicturesOnTwoThreadsGiveTheIndexsBeads) {
    OwnedDib source(photoPicture(400, 300, Grain::Noisy, 9));
    const LPAL pal = StartPalette();
    for (const ColourDistance distance : {ColourDistance::Ciede2000, ColourDistance::Oklab}) {
        int notfoundis = 0;
        OwnedDib first(
            DepthDownTo(source.get(), 64, 0, pal, allTicks(), notfoundis, {}, {distance, nullptr}));
        PerceptualNearestIndex serial(first.get().pal.rgb0, distance);
        GridValues expected(300);
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 400; ++x) {
                const std::uint32_t c = getpixel(source.get(), x, y);
                expected[static_cast<std::size_t>(y)].push_back(
                    serial.find(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                                static_cast<int>((c >> 16) & 0xFF)));
            }
        }
        ASSERT_EQ(gridValues(first.get()), expected);
        OwnedDib again(
            DepthDownTo(source.get(), 64, 0, pal, allTicks(), notfoundis, {}, {distance, nullptr}));
        ASSERT_EQ(gridValues(again.get()), expected);
    }
}

TEST(PerceptualNearest, ChoosesOtherwiseThanRgbWhereTheEyeDoes) {
    // Each distance must matter on a photograph, or a wrong switch would pass unnoticed.
    OwnedDib source(photoPicture(60, 40, Grain::Photo, 2));
    const LPAL pal = StartPalette();
    std::vector<GridValues> grids;
    for (const ColourDistance distance :
         {ColourDistance::Rgb, ColourDistance::Ciede2000, ColourDistance::Oklab}) {
        int notfoundis = 0;
        OwnedDib grid(
            DepthDownTo(source.get(), 64, 0, pal, allTicks(), notfoundis, {}, {distance, nullptr}));
        grids.push_back(gridValues(grid.get()));
    }
    EXPECT_NE(grids[0], grids[1]);
    EXPECT_NE(grids[0], grids[2]);
    EXPECT_NE(grids[1], grids[2]);
}

// No colour of a block is nearer to a palette colour than the block's bound: blocks of
// each size, at the edges of the cube too, against greys, blues (where the rotation term acts)
// and random colours.
TEST(PerceptualNearest, BlockBoundsHoldForEveryColourOfTheBlock) {
    std::mt19937 rng(2000);
    const PalEntry fixedEntries[] = {{0, 0, 0, 0},     {255, 255, 255, 0}, {128, 128, 128, 0},
                                     {40, 20, 230, 0}, {90, 60, 200, 0},   {255, 0, 0, 0}};
    for (const int shift : {2, 3, 4}) {
        const int side = 1 << shift;
        for (int block = 0; block < 40; ++block) {
            const auto corner = [&] {
                const int choice = static_cast<int>(rng() % 4);
                return choice == 0   ? 0
                       : choice == 1 ? 256 - side
                                     : static_cast<int>(rng() % 256) & ~(side - 1);
            };
            const int r0 = corner(), g0 = corner(), b0 = corner();
            const LabBox box = cielabBoxOf(r0, g0, b0, r0 + side - 1, g0 + side - 1, b0 + side - 1);
            const BoxHues hues = boxHuesOf(box);
            for (int k = 0; k < 12; ++k) {
                const PalEntry e = k < 6 ? fixedEntries[k]
                                         : PalEntry{static_cast<std::uint8_t>(rng()),
                                                    static_cast<std::uint8_t>(rng()),
                                                    static_cast<std::uint8_t>(rng()), 0};
                const LabColour entry = cielabOf(e.peRed, e.peGreen, e.peBlue);
                const double low = ciede2000SquaredBoxLowerBound(
                    box, hues, ciede2000LightnessLow(box, entry.l), huedPointOf(entry));
                for (int r = r0; r < r0 + side; ++r) {
                    for (int g = g0; g < g0 + side; ++g) {
                        for (int b = b0; b < b0 + side; ++b) {
                            const double d = ciede2000Squared(cielabOf(r, g, b), entry);
                            ASSERT_LE(low, d) << r << "," << g << "," << b << " shift " << shift;
                        }
                    }
                }
            }
        }
    }
}

// The cheap bound and the interval the search settles most colours by hold the formula's value:
// the published pairs, whose hues cross every branch, and pairs of byte colours near blue, grey
// and opposite hues, where the rotation term, the missing hue and the choice of mean act.
TEST(PerceptualNearest, Ciede2000BoundsHoldTheFormulasValue) {
    std::vector<std::pair<LabColour, LabColour>> pairs;
    for (const SharmaPair& p : kSharmaPairs)
        pairs.emplace_back(p.first, p.second);
    // Strong colours of nearly one hue, where ΔH' is tiny beside the chromas: the first pair
    // once left its interval above the formula's value.
    pairs.push_back({{83.846681976456736, -28.846865489729325, -112.40690234696149},
                     {84.608081927283081, -28.549042266017953, -111.24633620441844}});
    for (int hue = 0; hue < 360; hue += 5) {
        for (const double turn : {0.0, 1e-9, 1e-6, 1e-3}) {
            const double h1 = hue * ciedeTerms::kDegree, h2 = h1 + turn * ciedeTerms::kDegree;
            pairs.push_back({{60, 110 * std::cos(h1), 110 * std::sin(h1)},
                             {60.5, 108 * std::cos(h2), 108 * std::sin(h2)}});
        }
    }
    std::mt19937 rng(275);
    const auto near = [&](int centre) {
        return std::clamp(centre + static_cast<int>(rng() % 41) - 20, 0, 255);
    };
    const int centres[][3] = {{40, 20, 230}, {128, 128, 128}, {200, 40, 40}, {40, 200, 200}};
    for (int k = 0; k < 200'000; ++k) {
        const int* x = centres[rng() % 4];
        const int* y = centres[rng() % 4];
        pairs.emplace_back(cielabOf(near(x[0]), near(x[1]), near(x[2])),
                           cielabOf(near(y[0]), near(y[1]), near(y[2])));
    }
    for (const auto& pair : pairs) {
        const LabColour& query = pair.first;  // not a binding: lambdas may not capture those
        const LabColour& entry = pair.second;
        const double value = ciede2000Squared(query, entry);
        const KeyInterval interval =
            ciede2000SquaredInterval(cielabPointOf(query), cielabPointOf(entry));
        const auto where = [&] {
            return ::testing::Message() << query.l << " " << query.a << " " << query.b << " / "
                                        << entry.l << " " << entry.a << " " << entry.b;
        };
        ASSERT_LE(ciede2000SquaredLowerBound(huedPointOf(query), huedPointOf(entry)), value)
            << where();
        ASSERT_LE(interval.low, value) << where();
        ASSERT_GE(interval.high, value) << where();
        ASSERT_LE(interval.high - interval.low, 1e-4 * value + 1e-7) << where();
    }
}

// The bounds take the hue with a known error instead of atan2's: at the axes, the octants'
// borders and in between, for weak and strong colours.
TEST(PerceptualNearest, HueOfTheBoundStaysWithinItsError) {
    EXPECT_EQ(huedPointOf({50, 0, 0}).hue, 0);
    for (int k = -1440; k <= 1440; ++k) {
        const double exact = k * 0.25 + (k % 7) * 1e-7;
        for (const double chroma : {1e-3, 1.0, 130.0}) {
            const double angle = exact * ciedeTerms::kDegree;
            const double hue =
                huedPointOf({50, chroma * std::cos(angle), chroma * std::sin(angle)}).hue;
            ASSERT_GE(hue, 0) << exact;
            ASSERT_LT(hue, 360) << exact;
            const double off = std::abs(std::remainder(hue - exact, 360.0));
            ASSERT_LE(off, kHueError) << exact << " " << chroma;
        }
    }
}

// Every colour of whole blocks along the cube's edges and around palette colours, where the
// block lists keep several candidates and equally near entries meet.
TEST(PerceptualNearest, Ciede2000EqualsThePlainSearchOnWholeBlocks) {
    std::mt19937 rng(77);
    Entries entries{};
    gridPalette(rng, true, entries);
    PerceptualNearestIndex index(entries, ColourDistance::Ciede2000);
    const PlainSearch plain(entries, ColourDistance::Ciede2000);
    const auto sweep = [&](int r0, int g0, int b0) {
        for (int r = r0; r < r0 + 16; ++r)
            for (int g = g0; g < g0 + 16; ++g)
                for (int b = b0; b < b0 + 16; ++b)
                    ASSERT_EQ(index.find(r, g, b), plain.nearest(r, g, b))
                        << r << "," << g << "," << b;
    };
    for (const int edge : {0, 240})
        sweep(edge, edge, edge);
    for (int i = 10; i < 74; i += 6) {
        const PalEntry& e = entries[i];
        sweep(std::clamp(e.peRed - 8, 0, 240), std::clamp(e.peGreen - 8, 0, 240),
              std::clamp(e.peBlue - 8, 0, 240));
    }
}
