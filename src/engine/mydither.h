#pragma once
// Error diffusion: every bead gets the palette entry nearest to its colour plus the error
// carried over from beads already done, and passes its remaining error on with the weights
// 7, 3, 5 and 1 sixteenths, in serpentine order, in integers only.

#include "engine/colourdistance.h"
#include "engine/emptypegs.h"
#include "imagelib/dib.h"

namespace tessora {

// Writes every pixel of the 8-bit `target` (same width and height as `source`, palette already
// set) from `source` (24 bits; indexed pictures through their palette; 32 bits). Does nothing
// when either image has no pixels or the target does not fit the source. Keeps its working
// state per call, so calls may run side by side. Entries are chosen by `distance`; the error
// stays in red, green and blue. A bead set in `emptyBeads` (rows from the top, one byte per
// bead) will be an empty peg: the error carried to it is dropped and it passes none on, so no
// colour leaks across a transparent hole. Its grid value is left to the caller.
void ErrorDiffuse(const dib& source, const dib& target,
                  ColourDistance distance = ColourDistance::Rgb,
                  const BeadMask* emptyBeads = nullptr);

}  // namespace tessora
