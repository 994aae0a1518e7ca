#pragma once
// The few arithmetic rules the pipeline depends on, each in one place so that every stage
// rounds, truncates and divides the same way.

#include <cstdint>

namespace tessora {

// Nearest whole number, halves to the even neighbour (62.5 gives 62, 63.5 gives 64).
std::int64_t roundHalfEven(double value);

// Whole part of a quotient or product computed in floating point, toward zero.
std::int64_t truncToInt(double value);

// Integer division whose quotient is truncated toward zero (-9 / 16 gives 0, not -1).
constexpr int divTrunc(int numerator, int denominator) {
    return numerator / denominator;
}

// An error in sixteenths of a colour step back to whole steps: (n + 8) / 16, toward zero.
constexpr int sixteenthsToSteps(int n) {
    return divTrunc(n + 8, 16);
}

// Progress at the start of row y of a stage over `rows` rows: y * 100 / (rows - 1). A stage of
// a single row reports 100 for it instead of dividing by zero.
constexpr int rowPercent(int y, int rows) {
    return rows <= 1 ? 100 : static_cast<int>(std::int64_t{y} * 100 / (rows - 1));
}

}  // namespace tessora
