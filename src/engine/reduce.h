#pragma once
// The colour reduction: the 24-bit grid image becomes the 8-bit bead grid whose pixel values
// are palette slots, catalogue colour i in slot i + PaletteSlotBase.

#include <span>

#include "engine/colourdistance.h"
#include "engine/emptypegs.h"
#include "imagelib/imagelib.h"

namespace tessora {

// Builds the grid's 256-entry palette from the ticked ones among the first `zcols` entries of
// `pal` (slots 0 to 9 and every slot without a ticked colour hold the first ticked colour, the
// fill colour) and gives every bead its nearest palette entry (`rolmod` other than 1) or hands
// the grid to the error diffusion (`rolmod` 1). Beads of the fill colour get the value 0.
// `notfoundis` becomes the index of the first ticked entry; it keeps its value when nothing is
// ticked. `selection[i]` is the tick of entry i; entries beyond it count as unticked. On lack
// of memory the result has no pixels.
// Beads are chosen by `distance`. Beads set in `emptyBeads` (rows from the top, as many as the
// grid has beads) become empty pegs after the reduction; the error diffusion neither takes
// error from nor gives error to them.
struct ReductionChoices {
    ColourDistance distance = ColourDistance::Rgb;
    const BeadMask* emptyBeads = nullptr;
};
dib DepthDownTo(const dib& di, int zcols, int rolmod, const LPAL& pal,
                std::span<const bool> selection, int& notfoundis, const ProgressFn& progress,
                const ReductionChoices& choices = {});

}  // namespace tessora
