#pragma once
// Conversions between the image record and QImage.

#include <QImage>

#include "imagelib/alphaplane.h"
#include "imagelib/imagelib.h"

namespace tessora {

// A decoded QImage into the record, keeping the picture's depth: 1, 4 and 8 bits stay indexed
// with their colour table, everything else becomes 24 bits. Transparent pixels come out as
// they would look on white. `fileBits` is the depth the file declares (0 when unknown): an
// 8-bit QImage of a 4-bit file becomes a 4-bit record again. With `alpha`, a picture that has
// an alpha channel also gives its transparency there (left empty otherwise).
ImageError DibFromQImage(const QImage& image, int fileBits, dib* out, const ProgressFn& progress,
                         AlphaPlane* alpha = nullptr);

// The record as a QImage (a deep copy): indexed depths as Format_Indexed8 with the record's
// colour table, 24 bits as Format_RGB888. A null image for a record without pixels.
QImage QImageFromDib(const dib& d);

}  // namespace tessora
