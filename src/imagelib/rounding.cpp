#include "imagelib/rounding.h"

#include <cmath>
#include <limits>

namespace tessora {

int roundHalfToEven(double value) {
    // nearbyint rounds halves to even in the default rounding mode, which we never change.
    const double rounded = std::nearbyint(value);
    if (!(rounded > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (rounded >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

int roundedProportion(std::int64_t a, std::int64_t b, std::int64_t c) {
    return roundHalfToEven(static_cast<double>(a * b) / static_cast<double>(c));
}

}  // namespace tessora
