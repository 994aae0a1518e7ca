#pragma once
// One place that turns width, height and depth into row stride and image size, with every
// overflow and every unsupported combination caught before anything is allocated.

#include <cstdint>
#include <optional>

namespace tessora {

// Pictures above this many pixels are refused before any large allocation.
constexpr std::uint64_t kDefaultPixelBudget = 256ull * 1000 * 1000;

std::uint64_t PixelBudget();
void SetPixelBudget(std::uint64_t pixels);  // 0 restores the default

struct ImageSize {
    std::int32_t stride;      // bytes per stored row, padded to 32-bit words
    std::uint32_t imageSize;  // stride * height
};

enum class SizeCheck { Ok, Empty, TooLarge, BadDepth };

bool IsSupportedDepth(int bitsPerPixel);

// Checks width, height and depth against the pixel budget and the 32-bit header fields.
SizeCheck CheckImageSize(std::int64_t width, std::int64_t height, int bitsPerPixel);

// Stride and size of a valid (CheckImageSize == Ok) image; nullopt otherwise.
std::optional<ImageSize> ComputeImageSize(std::int64_t width, std::int64_t height,
                                          int bitsPerPixel);

// Product of two sizes, nullopt on overflow of 64 bits.
std::optional<std::uint64_t> CheckedMul(std::uint64_t a, std::uint64_t b);

}  // namespace tessora
