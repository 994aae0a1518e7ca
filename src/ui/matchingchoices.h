#pragma once
// What the group "Umrechnung" holds, as a value: an undo step and a project keep it, the
// calculation reads it. The defaults give the results of a plain calculation.

#include <optional>

#include "engine/calculate.h"
#include "engine/colourdistance.h"

namespace tessora {

struct MatchingChoices {
    ColourDistance distance = ColourDistance::Rgb;
    int maxColors = 0;  // "Höchstens N Farben": 0 is off
    bool keepTransparentEmpty = true;
    std::optional<int> removeBackground;  // tolerance 0..100, or off
    bool operator==(const MatchingChoices&) const = default;
};

inline void applyMatchingChoices(const MatchingChoices& choices, CalculateInputs& inputs) {
    inputs.distance = choices.distance;
    inputs.maxColors = choices.maxColors;
    inputs.keepTransparentEmpty = choices.keepTransparentEmpty;
    inputs.removeBackground = choices.removeBackground;
}

}  // namespace tessora
