#include "engine/colorhistogram.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/bgrrows.h"

namespace tessora {
namespace {

constexpr std::uint32_t kEmptySlot = 0xFFFFFFFFu;
constexpr int kHashSlots = 2 * kExactHistogramColors;  // a power of two, at most half full

// Calls `visit(red, green, blue)` for every pixel.
template <typename Visit>
bool forEachPixel(const dib& picture, Visit&& visit) {
    std::vector<std::uint8_t> scratch;
    const int width = DibWidth(picture);
    for (int y = 0; y < DibHeight(picture); ++y) {
        const std::uint8_t* bgr = bgrRow(picture, y, scratch);
        for (int x = 0; x < width; ++x, bgr += 3) {
            if (!visit(bgr[2], bgr[1], bgr[0])) return false;
        }
    }
    return true;
}

std::optional<ColorHistogram> exactHistogram(const dib& picture) {
    std::vector<std::uint32_t> keys(kHashSlots, kEmptySlot);
    std::vector<std::uint32_t> counts(kHashSlots, 0);
    int distinct = 0;
    const bool fits = forEachPixel(picture, [&](int red, int green, int blue) {
        const auto key = static_cast<std::uint32_t>(red << 16 | green << 8 | blue);
        std::uint32_t slot = (key * 0x9E3779B1u) >> 16;  // kHashSlots == 1 << 16
        while (keys[slot] != kEmptySlot && keys[slot] != key)
            slot = (slot + 1) & (kHashSlots - 1);
        if (keys[slot] == kEmptySlot) {
            if (++distinct > kExactHistogramColors) return false;
            keys[slot] = key;
        }
        ++counts[slot];
        return true;
    });
    if (!fits) return std::nullopt;
    std::vector<std::uint32_t> present;
    present.reserve(static_cast<std::size_t>(distinct));
    for (int slot = 0; slot < kHashSlots; ++slot)
        if (keys[slot] != kEmptySlot) present.push_back(static_cast<std::uint32_t>(slot));
    // Colour order, not hash order, so equal pictures give equal histograms everywhere.
    std::sort(present.begin(), present.end(),
              [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    ColorHistogram histogram;
    for (const std::uint32_t slot : present) {
        const std::uint32_t key = keys[slot];
        histogram.colors.push_back({static_cast<float>(key >> 16),
                                    static_cast<float>(key >> 8 & 0xFF),
                                    static_cast<float>(key & 0xFF)});
        histogram.weights.push_back(static_cast<float>(counts[slot]));
    }
    return histogram;
}

ColorHistogram boxHistogram(const dib& picture) {
    struct Box {
        std::uint64_t red = 0, green = 0, blue = 0, count = 0;
    };
    std::vector<Box> boxes(32 * 32 * 32);
    forEachPixel(picture, [&](int red, int green, int blue) {
        Box& box =
            boxes[static_cast<std::size_t>((red >> 3) << 10 | (green >> 3) << 5 | blue >> 3)];
        box.red += static_cast<std::uint64_t>(red);
        box.green += static_cast<std::uint64_t>(green);
        box.blue += static_cast<std::uint64_t>(blue);
        ++box.count;
        return true;
    });
    ColorHistogram histogram;
    histogram.exact = false;
    for (const Box& box : boxes) {
        if (box.count == 0) continue;
        const auto n = static_cast<double>(box.count);
        histogram.colors.push_back({static_cast<float>(static_cast<double>(box.red) / n),
                                    static_cast<float>(static_cast<double>(box.green) / n),
                                    static_cast<float>(static_cast<double>(box.blue) / n)});
        histogram.weights.push_back(static_cast<float>(n));
    }
    return histogram;
}

}  // namespace

ColorHistogram colorHistogram(const dib& picture) {
    if (picture.poi == nullptr) return {};
    if (auto exact = exactHistogram(picture)) return std::move(*exact);
    return boxHistogram(picture);
}

}  // namespace tessora
