#include <gtest/gtest.h>

#include "imagelib/imagelib.h"

using namespace tessora;

TEST(Newdib, EightBitImageHasAFullPalette) {
    dib d{};
    newdib(&d, 3, 2, 8, nullptr, 0);
    ASSERT_NE(d.poi, nullptr);
    EXPECT_NE(d.poih, 0u);
    EXPECT_NE(d.pmi, nullptr);
    EXPECT_EQ(d.pal.ver, 0x300);
    EXPECT_EQ(d.pal.num, 256);
    EXPECT_EQ(d.pmi->biSize, 40u);
    EXPECT_EQ(d.pmi->biPlanes, 1);
    EXPECT_EQ(d.pmi->biWidth, 3);
    EXPECT_EQ(d.pmi->biHeight, 2);
    for (std::uint32_t i = 0; i < d.pmi->biSizeImage; ++i)
        EXPECT_EQ(d.poi[i], 0);
    FreeDib(d);
}

TEST(Newdib, TakesTheFirstEntriesOfTheGivenColourTable) {
    dib source{};
    newdib(&source, 1, 1, 8, nullptr, 0);
    ASSERT_NE(source.poi, nullptr);
    for (int i = 0; i < 256; ++i) {
        DibColorTable(source)[i] = RgbQuad{static_cast<std::uint8_t>(i), 1, 2, 0};
    }
    dib copy{};
    newdib(&copy, 4, 4, 8, source.pmi, 3);
    ASSERT_NE(copy.poi, nullptr);
    EXPECT_EQ(DibColorTable(copy)[2].rgbBlue, 2);
    EXPECT_EQ(copy.pal.rgb0[2].peBlue, 2);
    EXPECT_EQ(copy.pal.rgb0[2].peRed, 2);
    EXPECT_EQ(copy.pal.rgb0[2].peGreen, 1);
    EXPECT_EQ(DibColorTable(copy)[3].rgbBlue, 0);  // only three entries were asked for
    FreeDib(copy);

    // A count larger than the new image's table is cut to its size.
    dib small{};
    newdib(&small, 4, 4, 1, source.pmi, 256);
    ASSERT_NE(small.poi, nullptr);
    EXPECT_EQ(small.pal.num, 2);
    EXPECT_EQ(DibColorTable(small)[1].rgbBlue, 1);
    FreeDib(small);
    FreeDib(source);
}

TEST(Newdib, FailureLeavesNoPixels) {
    for (const auto& [w, h, bits] :
         {std::tuple{0, 5, 8}, {5, 0, 8}, {-3, 5, 24}, {5, 5, 3}, {100000, 100000, 24}}) {
        dib d{};
        d.poih = 99;
        newdib(&d, w, h, bits, nullptr, 0);
        EXPECT_EQ(d.poi, nullptr);
        EXPECT_EQ(d.poih, 0u);
    }
}

TEST(ErrorText, SurvivesInThePaletteOfAFailedRecord) {
    dib d{};
    SetDibErrorText(&d, QStringLiteral("Fehlerhafte Datei: Größe"));
    EXPECT_EQ(DibErrorText(d), QStringLiteral("Fehlerhafte Datei: Größe"));
    SetDibErrorText(&d, QString(600, u'x'));  // longer than the palette holds
    EXPECT_EQ(DibErrorText(d).size(), 511);
}
