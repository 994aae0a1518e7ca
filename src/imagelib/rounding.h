#pragma once
// Proportional sizes of the drawing routine: a whole-number product divided in floating point and
// rounded to the nearest integer, a half going to the even neighbour.

#include <cstdint>

namespace tessora {

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4), limited to the 32-bit range.
int roundHalfToEven(double value);

// round(a * b / c) with the product taken exactly; c must not be 0.
int roundedProportion(std::int64_t a, std::int64_t b, std::int64_t c);

}  // namespace tessora
