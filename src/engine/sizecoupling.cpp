#include "engine/sizecoupling.h"

#include <algorithm>

#include "engine/numbers.h"

namespace tessora {

int beadCountFieldValue(double value) {
    const double limited = std::clamp(value, double{kMinBeads}, double{kMaxBeads});
    return static_cast<int>(roundHalfEven(limited));
}

std::optional<int> coupledBeadCount(int partnerPixels, int ownPixels, int beads) {
    if (ownPixels <= 0 || partnerPixels <= 0) return std::nullopt;
    return beadCountFieldValue(static_cast<double>(partnerPixels) * beads / ownPixels);
}

}  // namespace tessora
