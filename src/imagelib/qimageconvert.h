#pragma once
// Conversion of a decoded QImage into the image record, keeping the picture's depth: 1, 4 and
// 8 bits stay indexed with their colour table, everything else becomes 24 bits. Transparent
// pixels come out as they would look on white.

#include <QImage>

#include "imagelib/imagelib.h"

namespace tessora {

// `fileBits` is the depth the file declares (0 when unknown): an 8-bit QImage of a 4-bit file
// becomes a 4-bit record again.
ImageError DibFromQImage(const QImage& image, int fileBits, dib* out, const ProgressFn& progress);

}  // namespace tessora
