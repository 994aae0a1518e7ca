#pragma once
// IFF PBM, the chunky picture: one byte per pixel, a colour map of up to 256 colours.

#include <QIODevice>
#include <cstdint>
#include <span>

#include "imagelib/imagelib.h"

namespace tessora {

bool recogniseIffPbm(std::span<const std::uint8_t> head);
ImageError readIffPbm(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress);

// Always 8 planes; rows of odd width get no pad byte. True-colour images of more than 256 colours
// are reduced to a fixed palette with error diffusion, since the chunky form has no true-colour
// variant.
ImageError writeIffPbm(const dib& d, QIODevice& device, const ProgressFn& progress);

}  // namespace tessora
