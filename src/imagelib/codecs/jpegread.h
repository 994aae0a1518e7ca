#pragma once
// JPEG reading scanline by scanline through libjpeg, with the decoder settings and colour
// conversion of Qt's JPEG reader (the same library underneath): the record reading through Qt
// gives, without Qt's whole picture beside it. A progressive or multi-scan file still needs
// libjpeg's coefficients of the whole picture; they count against the load budget.

#include <QIODevice>
#include <optional>
#include <span>

#include "imagelib/alphaplane.h"
#include "imagelib/imagelib.h"

namespace tessora {

bool recogniseJpeg(std::span<const std::uint8_t> head);

// Reads the JPEG that `device` holds from its current position. nullopt for a file that Qt is
// left to read (components that are neither grey, colour nor CMYK): nothing was decoded, and
// the device is back where it was.
std::optional<ImageError> readJpegRows(QIODevice& device, dib* out, const ProgressFn& progress);

}  // namespace tessora
