#pragma once
// The drawing routine's own nearest-neighbour stretch, for devices that refuse to scale: the
// source rectangle (y counted from the bottom, inside the image) becomes a new image of the
// destination size whose first and last rows and columns are exactly the source's.

#include "imagelib/dib.h"
#include "imagelib/intrect.h"

namespace tessora {

// The caller owns the new image; it has no pixels when it could not be created. Depths other
// than 1, 4, 8 and 24 give an image of the right size that stays black.
void stretchDibNearest(dib* out, const dib& image, const IntRect& source, int width, int height);

}  // namespace tessora
