#pragma once
// PNG writing through libspng (reading is Qt's).

#include <QIODevice>

#include "imagelib/imagelib.h"

namespace tessora {

// 8-bit indexed where the picture has at most 256 colours, else 24-bit true colour; row by
// row, at a fast compression level, so that a large chart is written in about a second.
ImageError writePng(const dib& d, QIODevice& device, const ProgressFn& progress);

}  // namespace tessora
