#pragma once
// Cheap lower bounds of ΔE00², for a colour and for every colour of a block of the RGB cube,
// from lightness, chroma and the hue angle of CIELAB. What the formula weighs by the pair's
// mean chroma and mean hue is bounded with tables over those, so most palette colours of a
// search are ruled out with a few products before the exact interval is worth its roots.

#include "engine/ciede2000interval.h"

namespace tessora {

// A colour for the bound: CIELAB, its chroma and its hue in degrees (0 to 360, 0 without chroma),
// the hue within kHueError of the exact angle; the bounds allow for that.
inline constexpr double kHueError = 1e-5;
struct HuedPoint {
    CielabPoint point;
    double hue;
};

HuedPoint huedPointOf(const LabColour& colour);

// Once the bound is known to lie above `enough`, what it has so far may do.
double ciede2000SquaredLowerBound(const HuedPoint& query, const HuedPoint& entry,
                                  double enough = HUGE_VAL);

// A box in CIELAB that holds every colour of an RGB block.
struct LabBox {
    double lMin, lMax, aMin, aMax, bMin, bMax;
};

// The colours red0..red1, green0..green1, blue0..blue1 (inclusive).
LabBox cielabBoxOf(int red0, int green0, int blue0, int red1, int green1, int blue1);

// The least (ΔL / SL)² from a colour of `box` to a colour of lightness `entryL`.
double ciede2000LightnessLow(const LabBox& box, double entryL);

// The hues of a box's colours: `length` degrees counterclockwise from `start`, or any.
struct BoxHues {
    double start, length;
    bool any;
};
BoxHues boxHuesOf(const LabBox& box);

// The same for every colour of `box`, given its hues and the least lightness term over it.
double ciede2000SquaredBoxLowerBound(const LabBox& box, const BoxHues& hues, double lightnessLow,
                                     const HuedPoint& entry);

}  // namespace tessora
