#pragma once
// Bounds of ΔE00 between a palette colour and every colour of a block of the RGB cube, so that a
// block can keep only the palette entries that may be nearest to one of its colours.

#include "engine/colourdistance.h"

namespace tessora {

// A box in CIELAB that holds every colour of an RGB block.
struct LabBox {
    double lMin, lMax, aMin, aMax, bMin, bMax;
};

// The colours red0..red1, green0..green1, blue0..blue1 (inclusive).
LabBox cielabBoxOf(int red0, int green0, int blue0, int red1, int green1, int blue1);

// The least (ΔL / SL)² from a colour of `box` to a colour of lightness `entryL`.
double ciede2000LightnessLow(const LabBox& box, double entryL);

struct DistanceRange {
    double low, high;  // of ΔE00 squared
};

// Lower and upper bounds of ΔE00² from any colour in `box` to `entry`, whose CIELAB chroma is
// `entryChroma`.
DistanceRange ciede2000SquaredRange(const LabBox& box, const LabColour& entry, double entryChroma);

}  // namespace tessora
