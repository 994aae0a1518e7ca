#pragma once
// Empty pegs: grid positions without a bead, from transparent parts of the picture or from a
// removed background. They are no bead: not counted, drawn without a number.

#include <cstdint>
#include <optional>
#include <vector>

#include "imagelib/alphaplane.h"
#include "imagelib/dib.h"

namespace tessora {

// The bead grid value of an empty peg. The reduction writes 0 and the catalogue slots from 10
// on, never 1.
constexpr std::uint8_t kEmptyPeg = 1;

// One byte per bead, rows from the top, non-zero where the peg stays empty. Empty (no bytes)
// when no bead is.
using BeadMask = std::vector<std::uint8_t>;

// An alpha below half (0 to 127) makes a transparent pixel.
constexpr int kOpaqueFrom = 128;

// The beads of a `breit` x `hoch` grid whose sampled pixel is transparent, sampled exactly as
// the colours are (Resize). An empty plane gives an empty mask.
BeadMask transparentBeads(const AlphaPlane& alpha, int breit, int hoch);

// "Hintergrund entfernen": the border colour is the colour that most of the grid's outermost
// beads have (beads already empty left out; among equally frequent colours the first in rows
// from the top, left to right). A bead whose red, green and blue each differ from it by at most
// `tolerance` percent of 255 (0: the very colour, 100: every colour) belongs to the background.
// Background beads reachable from the border through 4-neighbours that are background or
// already empty become empty in `mask`, which is sized to the grid when it is empty.
void removeBackground(const dib& grid24, int tolerance, BeadMask& mask);

// Writes kEmptyPeg into the 8-bit `beads` wherever `mask` is set; an empty mask changes nothing.
void markEmptyPegs(const dib& beads, const BeadMask& mask);

}  // namespace tessora
