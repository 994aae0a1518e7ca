#pragma once
// ZSoft PCX: a 128-byte header, run-length coded scan lines of one or more planes, for
// 8-bit pictures a 256-colour palette at the end of the file.

#include <QIODevice>
#include <cstdint>
#include <span>

#include "imagelib/imagelib.h"

namespace tessora {

bool recognisePcx(std::span<const std::uint8_t> head);

// Reads 1 bit in 1 to 4 planes, 2 and 4 bits in one plane (into 1- or 4-bit images), 8 bits
// with the closing palette (8-bit image) and 8 bits in 3 or 4 planes (24-bit image).
ImageError readPcx(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress);

// Version 5: 1-bit images as one plane, 4-bit images as four bit planes with the header's
// 16 colours, 8-bit images and true-colour ones of at most 256 colours as 8 bits with the
// closing palette, true-colour ones of more colours as three 8-bit planes.
ImageError writePcx(const dib& d, QIODevice& device, const ProgressFn& progress);

}  // namespace tessora
