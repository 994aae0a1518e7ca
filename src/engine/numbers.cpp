#include "engine/numbers.h"

#include <cmath>

namespace tessora {

std::int64_t roundHalfEven(double value) {
    // The default floating-point rounding mode is to nearest, ties to even.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int64_t truncToInt(double value) {
    return static_cast<std::int64_t>(std::trunc(value));
}

}  // namespace tessora
