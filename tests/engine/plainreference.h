#pragma once
// The colour stages done the plain way, as the tests' measure of the fast ones: every bead
// searched over all 256 entries, and the error diffusion share by share in 16-bit cells with
// the pixel access of the image library.

#include <cstdint>
#include <vector>

#include "imagelib/dib.h"

namespace tessora::test {

// Pixel values of a grid, row by row from the top.
using GridValues = std::vector<std::vector<int>>;

GridValues gridValues(const dib& grid);

// The nearest entry of the grid palette of `target` for every pixel of the 24-bit `source`.
GridValues plainNearest(const dib& source, const dib& target);

// Error diffusion of the 24-bit `source` over the palette of `target`, which is left as it is.
GridValues plainErrorDiffusion(const dib& source, const dib& target);

}  // namespace tessora::test
