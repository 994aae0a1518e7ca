#pragma once
// A cheap lower bound of ΔE00² from values kept per colour: lightness, chroma and the hue angle
// of CIELAB. It bounds what the formula weighs by the pair's mean chroma and mean hue with
// tables over those, so most palette colours of a search are ruled out with a few products
// before the exact interval is worth its roots.

#include "engine/ciede2000bounds.h"
#include "engine/ciede2000interval.h"

namespace tessora {

// A colour for the bound: CIELAB, its chroma and its hue in degrees (0 to 360, 0 without chroma).
struct HuedPoint {
    CielabPoint point;
    double hue;
};

HuedPoint huedPointOf(const LabColour& colour);

double ciede2000SquaredLowerBound(const HuedPoint& query, const HuedPoint& entry);

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
