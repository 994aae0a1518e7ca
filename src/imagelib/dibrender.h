#pragma once
// Turns mapped source pixels into a QImage for the painter: from device-independent bitmap rows,
// or from a device bitmap (a QImage). Pixels mapped outside the source come out transparent, so
// drawing the result leaves the device unchanged there.

#include <QImage>
#include <cstdint>

#include "imagelib/dib.h"
#include "imagelib/pixelmap.h"

namespace tessora {

// A bitmap's header and the stored rows [firstStoredRow, firstStoredRow + storedRows) of it.
struct DibPixels {
    const BitmapInfoHeader* header = nullptr;
    const std::uint8_t* bits = nullptr;
    int firstStoredRow = 0;
    int storedRows = 0;
};

// Uncompressed, bottom-up, 1, 4, 8, 24 or 32 bits per pixel, with pixel rows present.
bool isRenderable(const DibPixels& pixels);

// Premultiplied ARGB of the map's visible size; a null image when memory is short.
QImage renderDibPixels(const PixelMap& map, const DibPixels& pixels);
QImage renderImagePixels(const PixelMap& map, const QImage& source);

}  // namespace tessora
