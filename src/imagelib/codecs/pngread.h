#pragma once
// PNG reading row by row through libpng, with the very transformations and colour tables Qt's
// PNG reader uses (the same library underneath), each row handed on to the record at once:
// the record is the one reading through Qt gives, without Qt's whole picture beside it.

#include <QIODevice>
#include <optional>
#include <span>

#include "imagelib/alphaplane.h"
#include "imagelib/imagelib.h"

namespace tessora {

bool recognisePng(std::span<const std::uint8_t> head);

// Reads the PNG that `device` holds from its current position. `fileBits` as for DibFromQImage.
// nullopt for a file that Qt is left to read (interlaced): nothing was decoded, and the device
// is back where it was. A 16-bit colour file with a transparent colour, where Qt hands back
// rows it never wholly wrote, gets that colour as transparency.
std::optional<ImageError> readPngRows(QIODevice& device, int fileBits, dib* out, AlphaPlane* alpha,
                                      const ProgressFn& progress);

}  // namespace tessora
