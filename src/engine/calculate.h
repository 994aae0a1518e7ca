#pragma once
// The document operations that the window and the command-line front end share: the start-up
// images and the calculate command, which turns the source picture into a new bead grid.

#include <optional>
#include <span>

#include "engine/colourdistance.h"
#include "engine/document.h"
#include "engine/engineerror.h"
#include "engine/sizecoupling.h"
#include "imagelib/alphaplane.h"
#include "imagelib/imagelib.h"

namespace tessora {

// The white start-up images: the chart and the source picture 320 x 200 at 24 bits, the bead
// grid 32 x 20 at 8 bits with every pixel 255 (shown as the fallback colour). An image that
// cannot be created stays empty and the result says so.
EngineError createStartImages(Document& doc);

// What the calculate command reads from the controls.
struct CalculateInputs {
    int breit;                                      // width in beads, clamped to 1..1000
    int hoch;                                       // height in beads, clamped to 1..1000
    int rolmod;                                     // 1: error diffusion, otherwise nearest colour
    std::span<const bool> selection;                // ticks of the range's colours
    int maxColors = 0;                              // "Höchstens N Farben": 0 is off
    ColourDistance distance = ColourDistance::Rgb;  // "Farbabstand:"
    bool keepTransparentEmpty = true;               // "Transparente Stellen frei lassen"
    std::optional<int> removeBackground{};          // "Hintergrund entfernen": tolerance 0..100
    const AlphaPlane* alpha = nullptr;  // the picture's opacity; ignored unless it fits `di`
};

// Expands the picture to 24 bits when it has fewer, samples it to the bead size and reduces it
// to the ticked colours by the chosen distance; with a colour limit, to those of them that suit
// the picture best (`chosenColors`). Transparent beads and the removed background become empty
// pegs. The old bead grid gives way only once the new one exists, and `notfoundis` and
// `chosenColors` change with it; on failure the document is unchanged.
EngineError calculatePattern(Document& doc, const CalculateInputs& inputs,
                             const ProgressFn& progress);

// Installs a freshly loaded picture as the source picture; the document owns it from now on.
void replaceSourcePicture(Document& doc, const dib& picture);

}  // namespace tessora
