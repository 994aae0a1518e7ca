#pragma once
// Truevision TGA: an 18-byte header, an optional identification field and colour map, pixels
// plain or run-length coded, and the optional version 2 footer (which we never require).

#include <QIODevice>
#include <cstdint>
#include <span>

#include "imagelib/alphaplane.h"
#include "imagelib/imagelib.h"

namespace tessora {

// TGA has no signature; this accepts a header only when every field has a meaning.
bool recogniseTga(std::span<const std::uint8_t> head);

// Colour-mapped 8-bit (with 15-, 16-, 24- or 32-bit map entries) into 8-bit images, greyscale
// 8-bit with a grey ramp, 15/16/24/32-bit true colour into 24 bits; any origin corner.
ImageError readTga(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress);

// The same; a 32-bit picture with alpha bits also gives its transparency in `alpha`.
ImageError readTgaWithAlpha(std::span<const std::uint8_t> file, dib* out, AlphaPlane* alpha,
                            const ProgressFn& progress);

// Run-length coded, bottom-up, with the version 2 footer: indexed images as colour-mapped
// 8-bit pixels, true-colour ones as 24-bit pixels.
ImageError writeTga(const dib& d, QIODevice& device, const ProgressFn& progress);

}  // namespace tessora
