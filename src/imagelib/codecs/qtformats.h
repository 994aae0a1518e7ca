#pragma once
// Formats written by Qt's image writers: JPEG, TIFF and PNG.

#include <QIODevice>

#include "imagelib/imagelib.h"

namespace tessora {

enum class QtFormat { Jpeg, Tiff, Png };

ImageError writeWithQt(const dib& d, QIODevice& device, QtFormat format,
                       const ProgressFn& progress);

}  // namespace tessora
