#pragma once
// TIFF writing through libtiff (reading is Qt's).

#include <QIODevice>

#include "imagelib/imagelib.h"

namespace tessora {

// 8-bit palette where the picture has at most 256 colours, else 24-bit RGB; row by row into
// Deflate-compressed strips at a fast level.
ImageError writeTiff(const dib& d, QIODevice& device, const ProgressFn& progress);

}  // namespace tessora
