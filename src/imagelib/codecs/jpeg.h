#pragma once
// JPEG writing through libjpeg (reading is Qt's).

#include <QIODevice>

#include "imagelib/imagelib.h"

namespace tessora {

// Quality 92, baseline, row by row: the same bytes Qt's writer made from the whole picture,
// without a second copy of it. Indexed images whose colours are all grey are stored grey.
ImageError writeJpeg(const dib& d, QIODevice& device, const ProgressFn& progress);

}  // namespace tessora
