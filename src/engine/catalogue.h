#pragma once
// The 64 bead colours. Catalogue index i is palette entry i of the document palette, item i of
// the selection list and pixel value i + PaletteSlotBase in the bead grid.

#include <array>
#include <cstdint>
#include <string>

#include "imagelib/dib.h"

namespace tessora {

constexpr int kBeadColorCount = 64;
constexpr int PaletteSlotBase = 10;

extern const std::array<const char*, kBeadColorCount> BeadNames;         // UTF-8
extern const std::array<const char*, kBeadColorCount> BeadNamesEnglish;  // the same in English
extern const std::array<const char*, kBeadColorCount> BeadNumbers;       // two digits, never parsed

struct BeadRgb {
    std::uint8_t red, green, blue;
};
extern const std::array<BeadRgb, kBeadColorCount> BeadStartColors;

// Version 0x300, 64 entries with the start colours, flags 0, entries 64 to 255 zero.
LPAL StartPalette();

// Catalogue index of a bead grid pixel value, or -1 for a value that names no bead colour.
constexpr int CatalogueIndexOfPixel(int value) {
    const int index = value - PaletteSlotBase;
    return index >= 0 && index < kBeadColorCount ? index : -1;
}

// Whether colour names are shown in English: the default locale, which the program's language
// sets, is English.
bool EnglishBeadNames();

// The colour's name in the program's language.
const char* BeadName(int index);

// The item text of the selection list: name, one space, number.
std::string BeadItemText(int index);

}  // namespace tessora
