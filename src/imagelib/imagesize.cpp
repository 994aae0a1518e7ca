#include "imagelib/imagesize.h"

#include <limits>

namespace tessora {
namespace {
std::uint64_t g_pixelBudget = kDefaultPixelBudget;
}

std::uint64_t PixelBudget() {
    return g_pixelBudget;
}

void SetPixelBudget(std::uint64_t pixels) {
    g_pixelBudget = pixels == 0 ? kDefaultPixelBudget : pixels;
}

bool IsSupportedDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

std::optional<std::uint64_t> CheckedMul(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) return std::nullopt;
    return a * b;
}

SizeCheck CheckImageSize(std::int64_t width, std::int64_t height, int bitsPerPixel) {
    if (!IsSupportedDepth(bitsPerPixel)) return SizeCheck::BadDepth;
    if (width <= 0 || height <= 0) return SizeCheck::Empty;
    constexpr std::int64_t kMaxSide = std::numeric_limits<std::int32_t>::max();
    if (width > kMaxSide || height > kMaxSide) return SizeCheck::TooLarge;
    const auto pixels =
        CheckedMul(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height));
    if (!pixels || *pixels > g_pixelBudget) return SizeCheck::TooLarge;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const auto bytes = CheckedMul(stride, static_cast<std::uint64_t>(height));
    if (!bytes || *bytes > std::numeric_limits<std::uint32_t>::max()) return SizeCheck::TooLarge;
    return SizeCheck::Ok;
}

std::optional<ImageSize> ComputeImageSize(std::int64_t width, std::int64_t height,
                                          int bitsPerPixel) {
    if (CheckImageSize(width, height, bitsPerPixel) != SizeCheck::Ok) return std::nullopt;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    return ImageSize{static_cast<std::int32_t>(stride),
                     static_cast<std::uint32_t>(stride * static_cast<std::uint64_t>(height))};
}

}  // namespace tessora
