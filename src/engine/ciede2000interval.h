#pragma once
// ΔE00² of a bead colour and a palette colour without the published formula's angles: the hue
// difference and the mean hue come from the (a', b) vectors, T from the mean hue's cosine and
// sine, the rotation term's size from a table by the mean hue's sine from 275°. The result is
// an interval that holds what ciede2000Squared() gives, so a search
// can settle most colours without it and call it only for close calls.

#include <cmath>

#include "engine/colourdistance.h"

namespace tessora {

struct CielabPoint {
    double l, a, b;
    double chroma;  // sqrt(a² + b²), as ciede2000Squared() computes it
};

CielabPoint cielabPointOf(const LabColour& colour);

struct KeyInterval {
    double low, high;
    bool exact;  // the value is ciede2000Squared()'s own: hues too near opposite to decide here
};

// A pair whose interval surely lies above `rejectAbove` may get a wider one, cheaper.
KeyInterval ciede2000SquaredInterval(const CielabPoint& query, const CielabPoint& entry,
                                     double rejectAbove = HUGE_VAL);

}  // namespace tessora
