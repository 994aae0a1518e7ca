#include "imagelib/pixelmap.h"

#include <cstdint>

namespace tessora {
namespace {

std::vector<int> mapAxis(int destStart, int destSize, int sourceStart, int sourceSize,
                         int visibleStart, int visibleSize, int sourceLimit) {
    std::vector<int> map(static_cast<std::size_t>(visibleSize));
    for (int k = 0; k < visibleSize; ++k) {
        const std::int64_t offset = std::int64_t{visibleStart} + k - destStart;
        const std::int64_t source = sourceStart + std::int64_t{sourceSize} * offset / destSize;
        map[static_cast<std::size_t>(k)] =
            source >= 0 && source < sourceLimit ? static_cast<int>(source) : -1;
    }
    return map;
}

}  // namespace

PixelMap mapVisiblePart(const IntRect& dest, const IntRect& sourceFromTop, const IntRect& visible,
                        int sourceWidth, int sourceHeight) {
    return PixelMap{visible,
                    mapAxis(dest.x, dest.width, sourceFromTop.x, sourceFromTop.width, visible.x,
                            visible.width, sourceWidth),
                    mapAxis(dest.y, dest.height, sourceFromTop.y, sourceFromTop.height, visible.y,
                            visible.height, sourceHeight)};
}

PixelMap mapBlock(const IntRect& block, int sourceWidth, int sourceHeight) {
    return mapVisiblePart(block, block, block, sourceWidth, sourceHeight);
}

}  // namespace tessora
