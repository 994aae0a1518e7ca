#include "engine/storedalpha.h"

#include <new>
#include <utility>

namespace tessora {
namespace {

bool shapeFits(const StoredImageView& stored, int width, int height) {
    const StoredImageFields& f = stored.fields;
    return f.width == width && f.height == height && f.bits == 8 && f.xPelsPerMeter == 0 &&
           f.yPelsPerMeter == 0 && f.coloursUsed == 0 && f.coloursImportant == 0 &&
           stored.colourTable.empty() && stored.palette.empty();
}

}  // namespace

bool alphaFits(const AlphaPlane& alpha, int width, int height) {
    return width > 0 && height > 0 && alpha.width == width && alpha.height == height &&
           alpha.alpha.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

StoredImageView storedAlphaOf(const AlphaPlane& alpha,
                              std::span<const std::uint8_t> compressedBytes) {
    StoredImageView stored;
    stored.fields.width = alpha.width;
    stored.fields.height = alpha.height;
    stored.fields.bits = 8;
    stored.pixels = compressedBytes;
    return stored;
}

StoredImageError restoreAlpha(const StoredImageView& stored, int width, int height,
                              AlphaPlane& out) {
    out = AlphaPlane{};
    if (width <= 0 || height <= 0 || !shapeFits(stored, width, height))
        return StoredImageError::Damaged;
    AlphaPlane plane{width, height, {}};
    try {
        plane.alpha.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        return StoredImageError::OutOfMemory;
    }
    if (!decompressExactly(stored.pixels, plane.alpha)) return StoredImageError::Damaged;
    out = std::move(plane);
    return StoredImageError::None;
}

}  // namespace tessora
