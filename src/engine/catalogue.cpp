#include "engine/catalogue.h"

#include <QLocale>

namespace tessora {

const std::array<const char*, kBeadColorCount> BeadNames = {
    "Weiß",
    "Creme",
    "Gelb",
    "Orange",
    "Rot",
    "Hellrot",
    "Lila",
    "Blau",
    "Hellblau",
    "Grün",
    "Hellgrün",
    "Braun",
    "Transparent-Rot",
    "Transparent-Gelb",
    "Transparent-Blau",
    "Transparent-Grün",
    "Grau",
    "Schwarz",
    "Transparent-Weiß",
    "Rotbraun",
    "Hellbraun",
    "Mittelrot",
    "Transparent-Schwarz",
    "Transparent-Lila",
    "Transparent-Braun",
    "Hautfarbe",
    "Beige",
    "Olivgrün",
    "Violettrot",
    "Maulbeer",
    "Türkis",
    "Neon-Fuchsia",
    "Fluor-Cherry",
    "Neon-Gelb",
    "Neon-Rot",
    "Neon-Blau",
    "Neon-Grün",
    "Neon-Orange",
    "Fluor-Gelb",
    "Fluor-Orange",
    "Fluor-Blau",
    "Fluor-Grün",
    "Pastell-Gelb",
    "Pastell-Rot",
    "Pastell-Lila",
    "Pastell-Blau",
    "Pastell-Grün",
    "Pastell-Pink",
    "Azurblau",
    "Leuchtfarbe: Grün",
    "Leuchtfarbe: Rot",
    "Leuchtfarbe: Blau",
    "Teddybären-Braun",
    "Gold",
    "Silber",
    "Bronze",
    "Perlmutt",
    "Hellgrau",
    "Dunkelgrau",
    "Transparent Pink",
    "Transparent Aqua",
    "Transparent Flieder",
    "Cappuccino",
    "Nougat",
};

// The same colours in English, in the same order.
const std::array<const char*, kBeadColorCount> BeadNamesEnglish = {
    "White",
    "Cream",
    "Yellow",
    "Orange",
    "Red",
    "Light Red",
    "Purple",
    "Blue",
    "Light Blue",
    "Green",
    "Light Green",
    "Brown",
    "Transparent Red",
    "Transparent Yellow",
    "Transparent Blue",
    "Transparent Green",
    "Grey",
    "Black",
    "Transparent White",
    "Red Brown",
    "Light Brown",
    "Medium Red",
    "Transparent Black",
    "Transparent Purple",
    "Transparent Brown",
    "Skin Tone",
    "Beige",
    "Olive Green",
    "Violet Red",
    "Mulberry",
    "Turquoise",
    "Neon Fuchsia",
    "Fluorescent Cherry",
    "Neon Yellow",
    "Neon Red",
    "Neon Blue",
    "Neon Green",
    "Neon Orange",
    "Fluorescent Yellow",
    "Fluorescent Orange",
    "Fluorescent Blue",
    "Fluorescent Green",
    "Pastel Yellow",
    "Pastel Red",
    "Pastel Purple",
    "Pastel Blue",
    "Pastel Green",
    "Pastel Pink",
    "Azure Blue",
    "Glow in the Dark: Green",
    "Glow in the Dark: Red",
    "Glow in the Dark: Blue",
    "Teddy Bear Brown",
    "Gold",
    "Silver",
    "Bronze",
    "Pearl",
    "Light Grey",
    "Dark Grey",
    "Transparent Pink",
    "Transparent Aqua",
    "Transparent Lilac",
    "Cappuccino",
    "Nougat",
};

const std::array<const char*, kBeadColorCount> BeadNumbers = {
    "01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12", "13", "14", "15", "16",
    "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31", "32",
    "33", "34", "35", "36", "37", "38", "39", "40", "41", "42", "43", "44", "45", "46", "47", "48",
    "49", "55", "56", "57", "60", "61", "62", "63", "64", "70", "71", "72", "73", "74", "75", "76",
};

const std::array<BeadRgb, kBeadColorCount> BeadStartColors = {{
    {255, 255, 255},  // Weiß
    {247, 239, 193},  // Creme
    {240, 199, 19},   // Gelb
    {209, 93, 34},    // Orange
    {176, 41, 48},    // Rot
    {214, 137, 153},  // Hellrot
    {82, 60, 135},    // Lila
    {27, 81, 155},    // Blau
    {10, 113, 188},   // Hellblau
    {54, 125, 55},    // Grün
    {113, 181, 130},  // Hellgrün
    {60, 39, 34},     // Braun
    {166, 13, 33},    // Transparent-Rot
    {230, 200, 26},   // Transparent-Gelb
    {12, 135, 202},   // Transparent-Blau
    {76, 162, 117},   // Transparent-Grün
    {139, 143, 146},  // Grau
    {0, 0, 0},        // Schwarz
    {237, 242, 238},  // Transparent-Weiß
    {123, 51, 29},    // Rotbraun
    {170, 99, 37},    // Hellbraun
    {153, 28, 44},    // Mittelrot
    {86, 91, 94},     // Transparent-Schwarz
    {75, 72, 117},    // Transparent-Lila
    {103, 83, 56},    // Transparent-Braun
    {220, 177, 160},  // Hautfarbe
    {217, 181, 129},  // Beige
    {49, 61, 47},     // Olivgrün
    {188, 39, 94},    // Violettrot
    {88, 50, 61},     // Maulbeer
    {132, 179, 205},  // Türkis
    {182, 33, 88},    // Neon-Fuchsia
    {191, 26, 60},    // Fluor-Cherry
    {230, 217, 79},   // Neon-Gelb
    {193, 30, 35},    // Neon-Rot
    {29, 132, 207},   // Neon-Blau
    {108, 162, 74},   // Neon-Grün
    {214, 137, 29},   // Neon-Orange
    {227, 222, 76},   // Fluor-Gelb
    {199, 74, 28},    // Fluor-Orange
    {79, 152, 207},   // Fluor-Blau
    {123, 173, 62},   // Fluor-Grün
    {232, 209, 69},   // Pastell-Gelb
    {195, 90, 87},    // Pastell-Rot
    {143, 126, 170},  // Pastell-Lila
    {108, 180, 230},  // Pastell-Blau
    {162, 194, 109},  // Pastell-Grün
    {212, 139, 184},  // Pastell-Pink
    {118, 190, 204},  // Azurblau
    {182, 190, 177},  // Leuchtfarbe: Grün
    {230, 211, 205},  // Leuchtfarbe: Rot
    {165, 181, 197},  // Leuchtfarbe: Blau
    {225, 184, 42},   // Teddybären-Braun
    {211, 177, 105},  // Gold
    {171, 179, 181},  // Silber
    {174, 156, 106},  // Bronze
    {216, 207, 202},  // Perlmutt
    {190, 197, 205},  // Hellgrau
    {56, 62, 68},     // Dunkelgrau
    {234, 120, 160},  // Transparent Pink
    {1, 255, 255},    // Transparent Aqua
    {120, 92, 169},   // Transparent Flieder
    {227, 195, 154},  // Cappuccino
    {172, 110, 63},   // Nougat
}};

LPAL StartPalette() {
    LPAL pal{};
    pal.ver = kPaletteVersion;
    pal.num = kBeadColorCount;
    for (int i = 0; i < kBeadColorCount; ++i) {
        const BeadRgb& c = BeadStartColors[i];
        pal.rgb0[i] = PalEntry{c.red, c.green, c.blue, 0};
    }
    return pal;
}

bool EnglishBeadNames() {
    return QLocale().language() == QLocale::English;
}

const char* BeadName(int index) {
    return EnglishBeadNames() ? BeadNamesEnglish[index] : BeadNames[index];
}

std::string BeadItemText(int index) {
    return std::string(BeadName(index)) + " " + BeadNumbers[index];
}

}  // namespace tessora
