#pragma once
// The colour stages done the plain way, as the tests' measure of the fast ones: every bead
// searched over all 256 entries, and the error diffusion share by share in 16-bit cells with
// the pixel access of the image library.

#include <cstdint>
#include <vector>

#include "engine/colourdistance.h"
#include "imagelib/dib.h"

namespace tessora::test {

// Pixel values of a grid, row by row from the top.
using GridValues = std::vector<std::vector<int>>;

GridValues gridValues(const dib& grid);

// Every one of the 256 entries compared under `distance`, lowest index among equally near ones.
class PlainSearch {
  public:
    PlainSearch(const PalEntry (&entries)[256], ColourDistance distance);
    int nearest(int red, int green, int blue) const;

  private:
    const PalEntry (&entries_)[256];
    ColourDistance distance_;
    std::vector<LabColour> colours_;  // of every entry
    std::vector<bool> repeatsEarlier_;
};

// The nearest entry of the grid palette of `target` for every pixel of the 24-bit `source`.
GridValues plainNearest(const dib& source, const dib& target,
                        ColourDistance distance = ColourDistance::Rgb);

// Error diffusion of the 24-bit `source` over the palette of `target`, which is left as it is.
GridValues plainErrorDiffusion(const dib& source, const dib& target,
                               ColourDistance distance = ColourDistance::Rgb);

}  // namespace tessora::test
