#pragma once
// A bead range: the colours a maker sells, each with its number, name and start colour. Range
// colour i is palette entry i of the document palette, item i of the colour list and pixel value
// i + PaletteSlotBase in the bead grid, so a range holds at most 246 colours.

#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "imagelib/dib.h"

namespace tessora {

constexpr int kMaxRangeColors = 256 - PaletteSlotBase;  // the slots of an 8-bit grid

struct BeadColor {
    std::string number;  // UTF-8, shown as it stands ("01", "H01", "80-19001")
    std::string name;    // UTF-8
    BeadRgb rgb;
};

struct BeadRange {
    std::string name;  // UTF-8, as the range choice lists it
    std::vector<BeadColor> colors;
    int size() const { return static_cast<int>(colors.size()); }
};

// The built-in 64 colours with their two-digit numbers: the default range.
const BeadRange& standardRange();
inline constexpr const char* kStandardRangeName = "Hama Midi (Standard)";

// Version 0x300, one entry per range colour with its start colour, flags 0, the rest zero. For
// the standard range this is StartPalette().
LPAL rangePalette(const BeadRange& range);

// The range colour a bead grid value is counted as: value - PaletteSlotBase when that names a
// colour of the range, else the colour `notfoundis` names; -1 when neither names one.
int rangeIndexOfPixel(const BeadRange& range, int value, int notfoundis);

// The colour behind a grid value by the same rule, or nullptr.
const BeadColor* beadOfPixel(const BeadRange& range, int value, int notfoundis);

}  // namespace tessora
