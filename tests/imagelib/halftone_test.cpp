#include "imagelib/halftone.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

using Channel = int (*)(QRgb);
const Channel kChannels[] = {qRed, qGreen, qBlue};

QRgb tableColour(const dib& d, int index) {
    const RgbQuad q = DibColorTable(d)[index];
    return qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

// Mean of one channel over the w x h block at (x, y), y from the top.
double blockMean(const dib& d, int x, int y, int w, int h, Channel channel) {
    double sum = 0;
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i)
            sum += channel(pixelColour(d, i, j));
    }
    return sum / (w * h);
}

QRgb smoothColour(int x, int y) {
    return qRgb(x * 4, y * 4, 255 - (x + y) * 2);
}

TEST(Halftone, KeepsTheSizeAndWritesThePaletteToTableAndPal) {
    OwnedDib source;
    makeTrueColour(source, 37, 23);
    OwnedDib converted;
    DIBHalftoneDIB(converted.out(), source.get());
    ASSERT_TRUE(converted.hasPixels());
    const dib& d = converted.get();
    EXPECT_EQ(DibWidth(d), 37);
    EXPECT_EQ(DibHeight(d), 23);
    EXPECT_EQ(DibBits(d), 8);
    EXPECT_EQ(d.pal.ver, 0x300);
    EXPECT_EQ(d.pal.num, 256);
    for (int i = 0; i < 256; ++i) {
        const PalEntry e = d.pal.rgb0[i];
        EXPECT_EQ(tableColour(d, i), qRgb(e.peRed, e.peGreen, e.peBlue)) << "entry " << i;
    }
}

TEST(Halftone, AreasKeepTheirAverageColour) {
    // Over every 8 x 8 block the dithered colours average out to the source's.
    OwnedDib source;
    makeTrueColour(source, 64, 64, smoothColour);
    OwnedDib converted;
    DIBHalftoneDIB(converted.out(), source.get());
    ASSERT_TRUE(converted.hasPixels());
    for (int y = 0; y < 64; y += 8) {
        for (int x = 0; x < 64; x += 8) {
            SCOPED_TRACE(testing::Message() << "block at " << x << ", " << y);
            for (const Channel channel : kChannels) {
                EXPECT_NEAR(blockMean(converted.get(), x, y, 8, 8, channel),
                            blockMean(source.get(), x, y, 8, 8, channel), 4.0);
            }
        }
    }
}

TEST(Halftone, ColoursOfThePaletteStayExact) {
    for (const QRgb colour : {qRgb(255, 0, 0), qRgb(51, 102, 153), qRgb(0, 0, 0),
                              qRgb(255, 255, 255), qRgb(17, 17, 17)}) {
        SCOPED_TRACE(testing::Message() << std::hex << colour);
        OwnedDib source;
        makeTrueColour(source, 9, 9, [colour](int, int) { return colour; });
        OwnedDib converted;
        DIBHalftoneDIB(converted.out(), source.get());
        ASSERT_TRUE(converted.hasPixels());
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 9; ++x)
                ASSERT_EQ(pixelColour(converted.get(), x, y), colour) << x << ", " << y;
        }
    }
}

TEST(Halftone, ShrinkingAveragesTheCoveredPixels) {
    // A black and white checkerboard halved becomes grey, not black or white.
    OwnedDib source;
    makeTrueColour(source, 64, 48, [](int x, int y) {
        return (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    });
    OwnedDib converted;
    DIBHalftoneDIBXY(converted.out(), source.get(), 32, 24);
    ASSERT_TRUE(converted.hasPixels());
    EXPECT_EQ(DibWidth(converted.get()), 32);
    EXPECT_EQ(DibHeight(converted.get()), 24);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb c = pixelColour(converted.get(), x, y);
            ASSERT_NEAR(qRed(c), 128, 6) << x << ", " << y;
            ASSERT_EQ(qRed(c), qBlue(c));
        }
    }
}

TEST(Halftone, ScaledConversionFollowsThePicture) {
    OwnedDib source;
    makeTrueColour(source, 64, 64, smoothColour);
    OwnedDib converted;
    DIBHalftoneDIBXY(converted.out(), source.get(), 16, 128);
    ASSERT_TRUE(converted.hasPixels());
    EXPECT_EQ(DibWidth(converted.get()), 16);
    EXPECT_EQ(DibHeight(converted.get()), 128);
    // The block at target (8, 64), 8 x 16, covers source (32, 32), 32 x 8.
    for (const Channel channel : kChannels) {
        EXPECT_NEAR(blockMean(converted.get(), 8, 64, 8, 16, channel),
                    blockMean(source.get(), 32, 32, 32, 8, channel), 4.0);
    }
}

TEST(Halftone, NeedsATrueColourImageAndASize) {
    OwnedDib indexed;
    makeIndexed(indexed, 4, 4, 8, [](int, int) { return 3; });
    OwnedDib trueColour;
    makeTrueColour(trueColour, 4, 4);
    OwnedDib a, b, c, d;
    DIBHalftoneDIB(a.out(), indexed.get());
    DIBHalftoneDIB(b.out(), dib{});
    DIBHalftoneDIBXY(c.out(), trueColour.get(), 0, 4);
    DIBHalftoneDIBXY(d.out(), trueColour.get(), 4, -1);
    for (const OwnedDib* result : {&a, &b, &c, &d}) {
        EXPECT_EQ(result->get().poi, nullptr);
        EXPECT_EQ(result->get().poih, 0u);
    }
}

}  // namespace
