#pragma once
// The picture's opacity as a row of a project's image table: the picture's width and height,
// 8 bits, no colour tables, and the alpha bytes (rows from the top, no padding) as one zstd
// frame with a checksum.

#include <cstdint>
#include <span>

#include "engine/storedimage.h"
#include "imagelib/alphaplane.h"

namespace tessora {

// Whether `alpha` holds one byte for every pixel of a `width` x `height` picture, the only
// plane the calculation uses and so the only one worth keeping.
bool alphaFits(const AlphaPlane& alpha, int width, int height);

// The row of `alpha` with `compressedBytes` (compressBytes of alpha.alpha) as its pixels.
StoredImageView storedAlphaOf(const AlphaPlane& alpha,
                              std::span<const std::uint8_t> compressedBytes);

// Rebuilds the plane of a `width` x `height` picture (one that has passed the pixel budget);
// a row of another size or shape is damage. On failure `out` is empty.
StoredImageError restoreAlpha(const StoredImageView& stored, int width, int height,
                              AlphaPlane& out);

}  // namespace tessora
