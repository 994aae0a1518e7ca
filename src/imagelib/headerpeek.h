#pragma once
// What the first bytes of a file that Qt is to read declare: enough to refuse a file before
// Qt allocates for it, and to keep the depth of indexed pictures that Qt widens to 8 bits.

#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "imagelib/imageerror.h"

namespace tessora {

// How many leading bytes the functions below look at, at most.
constexpr std::size_t kPeekBytes = 64;

// The bit depth of indexed pixels as a BMP or PNG file declares it, 0 when unknown.
int declaredIndexedBits(std::span<const std::uint8_t> head);

// Width and height as a BMP, PNG or GIF header declares them, where that is cheap to see: a
// tiny file announcing a giant picture is refused before any reader allocates for it.
std::optional<std::pair<std::int64_t, std::int64_t>> declaredSize(
    std::span<const std::uint8_t> head);

// For an uncompressed BMP: UnsupportedDepth for a depth no bitmap has; Damaged for a height
// of INT_MIN, more colours than the depth can index, or rows reaching beyond the file's
// `fileSize` bytes (for the last two Qt would hand back pixels it never wrote); None for
// everything else.
ImageError checkPlainBitmap(std::span<const std::uint8_t> head, std::uint64_t fileSize);

}  // namespace tessora
