#pragma once
// IFF ILBM, the planar picture: 1 to 8 planes with a colour map, or 24 planes of red, green
// and blue; rows of 16-bit-aligned plane lines, ByteRun1-packed or not.

#include <QIODevice>
#include <cstdint>
#include <span>

#include "imagelib/imagelib.h"

namespace tessora {

bool recogniseIlbm(std::span<const std::uint8_t> head);
ImageError readIlbm(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress);

// Indexed images keep their depth as planes; true-colour ones of at most 256 colours get 8
// planes and the exact colour map; more colours are stored as 24 planes, losslessly.
ImageError writeIlbm(const dib& d, QIODevice& device, const ProgressFn& progress);

}  // namespace tessora
