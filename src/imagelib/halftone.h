#pragma once
// Conversion of true-colour images into 8-bit images with one fixed palette, drawable unchanged
// on screens of 256 colours or fewer. The colour table and `pal` both hold the palette. The new
// image belongs to the caller; on failure (no true-colour source, no memory) it has no pixels.

#include "imagelib/dib.h"

namespace tessora {

// Same size as the source.
void DIBHalftoneDIB(dib* out, const dib& source);

// Scaled to width x height while converting; shrinking averages the covered source pixels.
void DIBHalftoneDIBXY(dib* out, const dib& source, int width, int height);

}  // namespace tessora
