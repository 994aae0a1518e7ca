#pragma once
// The nearest of a few candidate colours for every colour of one cell of 4 x 4 x 4 colours,
// the inner loop of the nearest-entry table: exact integer distances, the first of equally near
// candidates kept, four colours at a time where the processor allows.

#include <array>
#include <cstdint>
#include <span>

namespace tessora {

constexpr int kCellShift = 2;
constexpr int kCellSide = 1 << kCellShift;
constexpr int kCellColours = kCellSide * kCellSide * kCellSide;

// The cell of a colour among cells of 1 << shift colours on a side, numbered red-major.
constexpr int cellIndex(int shift, int red, int green, int blue) {
    const int perAxisBits = 8 - shift;
    return (red >> shift) << (2 * perAxisBits) | (green >> shift) << perAxisBits | (blue >> shift);
}

// The cell of 4 x 4 x 4 colours of a colour; and the colour's place within its cell,
// colour c = 16 red + 4 green + blue offset from the cell's lowest colour.
constexpr int cellOf(int red, int green, int blue) {
    return cellIndex(kCellShift, red, green, blue);
}
constexpr int colourInCell(int red, int green, int blue) {
    constexpr int kLow = kCellSide - 1;
    return (red & kLow) << (2 * kCellShift) | (green & kLow) << kCellShift | (blue & kLow);
}

struct CellCorner {
    int red, green, blue;  // the cell's lowest colour
};

struct CandidateColour {
    int red, green, blue;
    std::uint8_t index;  // palette index
};

// answers[16 r + 4 g + b] for the colour corner + (r, g, b): the index of the candidate nearest
// to it, the earliest in `candidates` among equally near ones. `candidates` is not empty.
void nearestInCell(const CellCorner& corner, std::span<const CandidateColour> candidates,
                   std::array<std::uint8_t, kCellColours>& answers);

}  // namespace tessora
