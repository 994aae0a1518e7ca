#pragma once
// A rectangle of whole pixels given by its corner and size. Unlike QRect it keeps any size it is
// given (zero or negative too), so the drawing routine can carry its arithmetic through unchanged.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tessora {

struct IntRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    std::int64_t right() const { return std::int64_t{x} + width; }  // one past the last column
    std::int64_t bottom() const { return std::int64_t{y} + height; }
    friend bool operator==(const IntRect&, const IntRect&) = default;
};

// Narrows a 64-bit coordinate to the 32-bit range without wrapping.
inline int clampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The common part of two rectangles; empty (width or height 0) when they do not meet.
inline IntRect intersected(const IntRect& a, const IntRect& b) {
    const std::int64_t left = std::max<std::int64_t>(a.x, b.x);
    const std::int64_t top = std::max<std::int64_t>(a.y, b.y);
    const std::int64_t right = std::min(a.right(), b.right());
    const std::int64_t bottom = std::min(a.bottom(), b.bottom());
    if (right <= left || bottom <= top) return IntRect{};
    return IntRect{clampToInt(left), clampToInt(top), clampToInt(right - left),
                   clampToInt(bottom - top)};
}

}  // namespace tessora
