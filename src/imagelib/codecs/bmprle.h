#pragma once
// Reading run-length coded Windows bitmaps (RLE8 and RLE4). Qt reads them too, but leaves
// the pixels that a file skips with its escapes uninitialised; here every pixel starts as
// index 0, and escapes that leave the picture end the decoding cleanly.

#include <cstdint>
#include <span>

#include "imagelib/imagelib.h"

namespace tessora {

// "BM" with an info header of 40 bytes or more announcing RLE8 or RLE4.
bool recogniseBmpRle(std::span<const std::uint8_t> head);

// Into an 8-bit (RLE8) or 4-bit (RLE4) image with the file's colour table.
ImageError readBmpRle(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress);

}  // namespace tessora
