// Conversion of true-colour images for screens of 256 colours: a fixed palette of a 6 x 6 x 6
// colour cube and a finer grey ramp, with ordered dithering so areas keep their average colour
// and neighbouring redraws produce the same pattern.

#include "imagelib/halftone.h"

#include <algorithm>
#include <array>
#include <vector>

#include "imagelib/areascale.h"
#include "imagelib/imagelib.h"
#include "imagelib/owneddib.h"

namespace tessora {
namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeEntries = kCubeLevels * kCubeLevels * kCubeLevels;
// 46 grey levels 255/45 apart; every ninth is a grey of the cube, the other 40 fill the palette.
constexpr int kGreyLevels = 46;
constexpr int kGreysPerCubeStep = (kGreyLevels - 1) / (kCubeLevels - 1);
// Pixels whose channels differ less than this are drawn with the grey ramp.
constexpr int kNeutralSpread = 8;

constexpr std::array<std::array<int, 8>, 8> kBayer = {{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

int cubeValue(int level) {
    return level * 255 / (kCubeLevels - 1);
}

int greyValue(int level) {
    return (level * 255 + (kGreyLevels - 1) / 2) / (kGreyLevels - 1);
}

int cubeIndex(int red, int green, int blue) {
    return (red * kCubeLevels + green) * kCubeLevels + blue;
}

int greyIndex(int level) {
    if (level % kGreysPerCubeStep == 0) {
        const int cube = level / kGreysPerCubeStep;
        return cubeIndex(cube, cube, cube);
    }
    return kCubeEntries + level - level / kGreysPerCubeStep - 1;
}

// The level of `levels` evenly spaced ones that `value` becomes at a pixel with the given
// threshold (0 to 63): the lower neighbour, or the upper one for the share of pixels that the
// remainder calls for.
int ditherLevel(int value, int levels, int threshold) {
    const int scaled = value * (levels - 1);
    const int level = scaled / 255;
    const int remainder = scaled % 255;
    return remainder * 128 > (2 * threshold + 1) * 255 ? level + 1 : level;
}

std::uint8_t halftoneIndex(int blue, int green, int red, int threshold) {
    const int high = std::max({red, green, blue});
    const int low = std::min({red, green, blue});
    if (high - low < kNeutralSpread) {
        return static_cast<std::uint8_t>(
            greyIndex(ditherLevel((red + green + blue + 1) / 3, kGreyLevels, threshold)));
    }
    return static_cast<std::uint8_t>(cubeIndex(ditherLevel(red, kCubeLevels, threshold),
                                               ditherLevel(green, kCubeLevels, threshold),
                                               ditherLevel(blue, kCubeLevels, threshold)));
}

void setEntry(dib& d, int index, int red, int green, int blue) {
    const auto r = static_cast<std::uint8_t>(red);
    const auto g = static_cast<std::uint8_t>(green);
    const auto b = static_cast<std::uint8_t>(blue);
    DibColorTable(d)[index] = RgbQuad{b, g, r, 0};
    d.pal.rgb0[index] = PalEntry{r, g, b, 0};
}

void writeHalftonePalette(dib& d) {
    for (int r = 0; r < kCubeLevels; ++r) {
        for (int g = 0; g < kCubeLevels; ++g) {
            for (int b = 0; b < kCubeLevels; ++b)
                setEntry(d, cubeIndex(r, g, b), cubeValue(r), cubeValue(g), cubeValue(b));
        }
    }
    for (int level = 0; level < kGreyLevels; ++level) {
        const int grey = greyValue(level);
        setEntry(d, greyIndex(level), grey, grey, grey);
    }
    d.pal.ver = kPaletteVersion;
    d.pal.num = 256;
}

void ditherRow(const std::uint8_t* bgr, int width, int y, std::uint8_t* indices) {
    const auto& thresholds = kBayer[static_cast<std::size_t>(y & 7)];
    for (int x = 0; x < width; ++x, bgr += 3) {
        indices[x] =
            halftoneIndex(bgr[0], bgr[1], bgr[2], thresholds[static_cast<std::size_t>(x & 7)]);
    }
}

bool isTrueColour(const dib& d) {
    const int bits = DibBits(d);
    return d.poi != nullptr && (bits == 24 || bits == 32) && DibWidth(d) > 0 && DibHeight(d) > 0;
}

}  // namespace

void DIBHalftoneDIBXY(dib* out, const dib& source, int width, int height) {
    *out = dib{};
    if (!isTrueColour(source) || width <= 0 || height <= 0) return;
    OwnedDib result;
    newdib(result.out(), width, height, 8, nullptr, 0);
    if (!result.hasPixels()) return;
    const dib& target = result.get();
    writeHalftonePalette(*result.out());
    AreaScaler scaler(source, width, height);
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        scaler.readRow(y, bgr.data());
        ditherRow(bgr.data(), width, y, DibRow(target, height - 1 - y));
    }
    *out = result.release();
}

void DIBHalftoneDIB(dib* out, const dib& source) {
    DIBHalftoneDIBXY(out, source, DibWidth(source), DibHeight(source));
}

}  // namespace tessora
