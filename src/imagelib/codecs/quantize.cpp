#include "imagelib/codecs/quantize.h"

#include <algorithm>

namespace tessora {
namespace {

constexpr int kRedLevels = 6;
constexpr int kGreenLevels = 7;
constexpr int kBlueLevels = 6;

int levelOf(int value, int levels) {
    return (std::clamp(value, 0, 255) * (levels - 1) + 127) / 255;
}
int valueOf(int level, int levels) {
    return level * 255 / (levels - 1);
}

std::vector<Rgb> makePalette() {
    std::vector<Rgb> palette;
    for (int r = 0; r < kRedLevels; ++r) {
        for (int g = 0; g < kGreenLevels; ++g) {
            for (int b = 0; b < kBlueLevels; ++b) {
                palette.push_back(Rgb{static_cast<std::uint8_t>(valueOf(r, kRedLevels)),
                                      static_cast<std::uint8_t>(valueOf(g, kGreenLevels)),
                                      static_cast<std::uint8_t>(valueOf(b, kBlueLevels))});
            }
        }
    }
    return palette;
}

}  // namespace

FixedPaletteDiffusion::FixedPaletteDiffusion(int width)
    : width_(width),
      thisRow_(static_cast<std::size_t>(width + 2) * 3, 0),
      nextRow_(static_cast<std::size_t>(width + 2) * 3, 0) {}

const std::vector<Rgb>& FixedPaletteDiffusion::palette() {
    static const std::vector<Rgb> kPalette = makePalette();
    return kPalette;
}

void FixedPaletteDiffusion::mapRow(const std::uint8_t* rgb, std::uint8_t* indices) {
    static constexpr int kLevels[3] = {kRedLevels, kGreenLevels, kBlueLevels};
    std::fill(nextRow_.begin(), nextRow_.end(), 0);
    for (int x = 0; x < width_; ++x) {
        int level[3];
        const std::size_t cell = static_cast<std::size_t>(x + 1) * 3;
        for (int c = 0; c < 3; ++c) {
            const int wanted = rgb[3 * x + c] + thisRow_[cell + c] / 16;
            level[c] = levelOf(wanted, kLevels[c]);
            const int error = std::clamp(wanted, 0, 255) - valueOf(level[c], kLevels[c]);
            thisRow_[cell + 3 + c] += error * 7;
            nextRow_[cell - 3 + c] += error * 3;
            nextRow_[cell + c] += error * 5;
            nextRow_[cell + 3 + c] += error;
        }
        indices[x] = static_cast<std::uint8_t>((level[0] * kGreenLevels + level[1]) * kBlueLevels +
                                               level[2]);
    }
    std::swap(thisRow_, nextRow_);
}

}  // namespace tessora
