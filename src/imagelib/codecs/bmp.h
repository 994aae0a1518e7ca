#pragma once
// Windows bitmap files: the record's own layout behind a 14-byte file header, and the
// run-length coded 8-bit variant (RLE8).

#include <QIODevice>

#include "imagelib/imagelib.h"

namespace tessora {

// The image as it is: same depth, colour table and bottom-up rows.
ImageError writeBmp(const dib& d, QIODevice& device, const ProgressFn& progress);

// 8 bits per pixel, RLE8-coded, with a 256-entry colour table. True-colour images of more
// than 256 colours are reduced to a fixed palette with error diffusion.
ImageError writeBmpRle8(const dib& d, QIODevice& device, const ProgressFn& progress);

}  // namespace tessora
