#pragma once
// The bead counts of the size page: whole numbers from 1 to 1000, and the coupling that keeps
// the motif in the picture's proportions.

#include <optional>

namespace tessora {

constexpr int kMinBeads = 1;
constexpr int kMaxBeads = 1000;

// What a bead-count field makes of a value: limited to 1..1000, then rounded to the nearest
// whole number, halves to the even neighbour.
int beadCountFieldValue(double value);

// The partner count that keeps the picture's proportions: partnerPixels x beads / ownPixels
// as a field value (for the height: picture height x width in beads / picture width). No value
// for a picture without pixels.
std::optional<int> coupledBeadCount(int partnerPixels, int ownPixels, int beads);

}  // namespace tessora
