#include <gtest/gtest.h>

#include <set>

#include "engine/catalogue.h"

using namespace tessora;

TEST(Catalogue, ItemTextsAreNameSpaceNumber) {
    EXPECT_EQ(BeadItemText(0), "Weiß 01");
    EXPECT_EQ(BeadItemText(48), "Azurblau 49");
    EXPECT_EQ(BeadItemText(49), "Leuchtfarbe: Grün 55");
    EXPECT_EQ(BeadItemText(63), "Nougat 76");
    EXPECT_EQ(BeadItemText(12), "Transparent-Rot 13");
    EXPECT_EQ(BeadItemText(59), "Transparent Pink 72");
}

TEST(Catalogue, NumbersAreUniqueTwoDigitTexts) {
    std::set<std::string> seen;
    for (const char* number : BeadNumbers) {
        EXPECT_EQ(std::string(number).size(), 2u);
        EXPECT_TRUE(seen.insert(number).second) << number;
    }
    EXPECT_STREQ(BeadNumbers[48], "49");
    EXPECT_STREQ(BeadNumbers[49], "55");
}

TEST(Catalogue, PixelValuesMapToCatalogueIndices) {
    EXPECT_EQ(CatalogueIndexOfPixel(10), 0);
    EXPECT_EQ(CatalogueIndexOfPixel(73), 63);
    EXPECT_EQ(CatalogueIndexOfPixel(9), -1);
    EXPECT_EQ(CatalogueIndexOfPixel(74), -1);
    EXPECT_EQ(CatalogueIndexOfPixel(255), -1);
    EXPECT_EQ(CatalogueIndexOfPixel(0), -1);
}

TEST(Catalogue, StartPaletteHoldsTheCatalogueColours) {
    const LPAL pal = StartPalette();
    EXPECT_EQ(pal.ver, 0x300);
    EXPECT_EQ(pal.num, 64);
    EXPECT_EQ(pal.rgb0[0].peRed, 255);
    EXPECT_EQ(pal.rgb0[1].peBlue, 193);
    EXPECT_EQ(pal.rgb0[60].peRed, 1);
    EXPECT_EQ(pal.rgb0[63].peGreen, 110);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(pal.rgb0[i].peFlags, 0);
    for (int i = 64; i < 256; ++i)
        EXPECT_EQ(pal.rgb0[i].peRed, 0);
}
