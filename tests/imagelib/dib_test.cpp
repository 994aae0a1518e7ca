#include <gtest/gtest.h>

#include <cstddef>

#include "imagelib/dib.h"
#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"
#include "imagelib/memory.h"

using namespace tessora;

TEST(DibRecord, PaletteKeepsTheLogicalPaletteLayout) {
    EXPECT_EQ(offsetof(LPAL, ver), 0u);
    EXPECT_EQ(offsetof(LPAL, num), 2u);
    EXPECT_EQ(offsetof(LPAL, rgb0), 4u);
    EXPECT_EQ(offsetof(PalEntry, peRed), 0u);
    EXPECT_EQ(offsetof(PalEntry, peFlags), 3u);
    EXPECT_EQ(offsetof(BitmapInfoHeader, biWidth), 4u);
    EXPECT_EQ(offsetof(BitmapInfoHeader, biHeight), 8u);
    EXPECT_EQ(offsetof(BitmapInfoHeader, biBitCount), 14u);
    EXPECT_EQ(offsetof(BitmapInfoHeader, biSizeImage), 20u);
}

TEST(DibRecord, QueriesOnAnEmptyRecord) {
    const dib empty{};
    EXPECT_EQ(DibWidth(empty), 0);
    EXPECT_EQ(DibHeight(empty), 0);
    EXPECT_EQ(DibBits(empty), 0);
    EXPECT_EQ(DibColorCount(empty), 1);
}

TEST(DibRecord, ColorCountDoublesPerBit) {
    for (const auto& [bits, count] : {std::pair{1, 2}, {4, 16}, {8, 256}, {24, 16777216}}) {
        dib d{};
        newdib(&d, 2, 2, bits, nullptr, 0);
        ASSERT_NE(d.poi, nullptr);
        EXPECT_EQ(DibColorCount(d), count) << bits << " bits";
        FreeDib(d);
    }
}

TEST(FreeDib, RecordWithoutPixelsKeepsItsHeader) {
    BitmapInfoHeader header{};
    dib d{};
    d.pmi = &header;
    d.pmih = 1234;
    FreeDib(d);
    EXPECT_EQ(d.pmi, &header);
    EXPECT_EQ(d.pmih, 1234u);
}

TEST(FreeDib, ReleasesOnceAndClearsOnlyTheHandles) {
    dib d{};
    newdib(&d, 10, 10, 8, nullptr, 0);
    ASSERT_NE(d.poi, nullptr);
    d.zoom = 7;
    d.bytew = 12;
    FreeDib(d);
    EXPECT_EQ(d.poi, nullptr);
    EXPECT_EQ(d.pmi, nullptr);
    EXPECT_EQ(d.poih, 0u);
    EXPECT_EQ(d.pmih, 0u);
    EXPECT_EQ(d.zoom, 7);
    EXPECT_EQ(d.bytew, 12);
    FreeDib(d);  // a second release does nothing
    EXPECT_EQ(d.poi, nullptr);
}

TEST(FreeDib, OneBlockHoldingHeaderAndPixelsIsReleasedOnce) {
    const std::uintptr_t block = GlobalAllocZeroed(64 + 40);
    dib d{};
    d.pmi = reinterpret_cast<BitmapInfoHeader*>(block);
    d.poi = reinterpret_cast<std::uint8_t*>(block + 40);
    d.pmih = block;
    d.poih = block;
    FreeDib(d);  // under the address sanitizer a double release would abort here
    EXPECT_EQ(d.poih, 0u);
}

TEST(DibLayout, RowStrideIsPaddedToWholeWords) {
    for (const auto& [bits, stride] : {std::pair{24, 32}, {8, 12}, {4, 8}, {1, 4}}) {
        dib d{};
        newdib(&d, 10, 3, bits, nullptr, 0);
        ASSERT_NE(d.poi, nullptr);
        EXPECT_EQ(d.bytew, stride) << bits << " bits";
        EXPECT_EQ(d.pmi->biSizeImage, static_cast<std::uint32_t>(stride * 3));
        FreeDib(d);
    }
}

TEST(DibLayout, TopLeftPixelLivesInTheLastStoredRow) {
    dib d{};
    newdib(&d, 12, 5, 8, nullptr, 0);
    ASSERT_NE(d.poi, nullptr);
    setpixel(d, 0, 0, 0xAB);  // top-left, counted from the top
    setpixel(d, 0, 4, 0xCD);  // bottom-left
    EXPECT_EQ(d.poi[48], 0xAB);
    EXPECT_EQ(d.poi[0], 0xCD);
    FreeDib(d);
}

TEST(DibLayout, FourBitPixelsUseHighNibbleFirst) {
    dib d{};
    newdib(&d, 4, 1, 4, nullptr, 0);
    ASSERT_NE(d.poi, nullptr);
    d.poi[0] = 0x2F;
    EXPECT_EQ(getpixel(d, 0, 0), 2u);
    EXPECT_EQ(getpixel(d, 1, 0), 15u);
    setpixel(d, 1, 0, 0x3);
    EXPECT_EQ(d.poi[0], 0x23);
    FreeDib(d);
}

TEST(PixelAccess, RowsCountFromTheTopAtEveryDepth) {
    for (const int bits : {1, 4, 8, 24}) {
        dib d{};
        newdib(&d, 9, 3, bits, nullptr, 0);
        ASSERT_NE(d.poi, nullptr);
        const std::uint32_t value = bits == 24 ? 0x123456u : 1u;
        setpixel(d, 8, 0, value);
        EXPECT_EQ(getpixel(d, 8, 0), value) << bits;
        EXPECT_EQ(getpixel(d, 8, 2), 0u) << bits;
        // The top row is the last stored row.
        const std::uint8_t* lastRow = DibRow(d, 2);
        bool touched = false;
        for (int i = 0; i < d.bytew; ++i)
            touched |= lastRow[i] != 0;
        EXPECT_TRUE(touched) << bits;
        FreeDib(d);
    }
}

TEST(PixelAccess, TwentyFourBitValueIsRedInTheLowByte) {
    dib d{};
    newdib(&d, 1, 1, 24, nullptr, 0);
    ASSERT_NE(d.poi, nullptr);
    setpixel(d, 0, 0, 0x0000FFu);  // pure red
    EXPECT_EQ(d.poi[0], 0);        // blue
    EXPECT_EQ(d.poi[1], 0);        // green
    EXPECT_EQ(d.poi[2], 255);      // red
    FreeDib(d);
}

TEST(PixelAccess, OutsideTheImageReadsZeroAndWritesNothing) {
    dib d{};
    newdib(&d, 2, 2, 8, nullptr, 0);
    ASSERT_NE(d.poi, nullptr);
    setpixel(d, -1, 0, 9);
    setpixel(d, 2, 0, 9);
    setpixel(d, 0, 2, 9);
    EXPECT_EQ(getpixel(d, 5, 5), 0u);
    for (std::uint32_t i = 0; i < d.pmi->biSizeImage; ++i)
        EXPECT_EQ(d.poi[i], 0);
    FreeDib(d);
    EXPECT_EQ(getpixel(dib{}, 0, 0), 0u);
}

TEST(ImageSize, RefusesOverflowAndTheBudget) {
    EXPECT_EQ(CheckImageSize(0, 10, 8), SizeCheck::Empty);
    EXPECT_EQ(CheckImageSize(10, -1, 8), SizeCheck::Empty);
    EXPECT_EQ(CheckImageSize(10, 10, 2), SizeCheck::BadDepth);
    EXPECT_EQ(CheckImageSize(1ll << 31, 1, 8), SizeCheck::TooLarge);
    EXPECT_EQ(CheckImageSize(1ll << 40, 1ll << 40, 24), SizeCheck::TooLarge);
    EXPECT_EQ(CheckImageSize(20000, 20000, 24), SizeCheck::TooLarge);  // 400 million pixels
    EXPECT_EQ(CheckImageSize(15120, 15020, 24), SizeCheck::Ok);        // the largest chart
    const auto size = ComputeImageSize(15120, 15020, 24);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->stride, 45360);
    EXPECT_EQ(size->imageSize, 45360u * 15020u);
}

// With the budget out of the way, the byte count itself must be caught: beyond 32 bits for the
// header's size field, and beyond 64 bits in the multiplication.
TEST(ImageSize, ByteCountsOverflowingThirtyTwoAndSixtyFourBitsAreTooLarge) {
    SetPixelBudget(~std::uint64_t{0});
    EXPECT_EQ(CheckImageSize(70000, 70000, 32), SizeCheck::TooLarge);  // 19.6e9 bytes
    EXPECT_EQ(CheckImageSize(65536, 16384, 32), SizeCheck::TooLarge);  // exactly 2^32 bytes
    EXPECT_EQ(CheckImageSize(65536, 16383, 32), SizeCheck::Ok);
    EXPECT_EQ(CheckImageSize(INT32_MAX, INT32_MAX, 32), SizeCheck::TooLarge);  // 2^64 bytes
    EXPECT_FALSE(ComputeImageSize(INT32_MAX, INT32_MAX, 32).has_value());
    SetPixelBudget(0);
    EXPECT_EQ(CheckedMul(std::uint64_t{1} << 32, std::uint64_t{1} << 32), std::nullopt);
    EXPECT_EQ(CheckedMul(std::uint64_t{1} << 32, (std::uint64_t{1} << 32) - 1),
              (std::uint64_t{1} << 32) * ((std::uint64_t{1} << 32) - 1));
    EXPECT_EQ(CheckedMul(0, ~std::uint64_t{0}), 0u);
}

TEST(ImageSize, BudgetCanBeLoweredForCallers) {
    SetPixelBudget(100);
    EXPECT_EQ(CheckImageSize(10, 10, 8), SizeCheck::Ok);
    EXPECT_EQ(CheckImageSize(10, 11, 8), SizeCheck::TooLarge);
    dib d{};
    newdib(&d, 11, 10, 8, nullptr, 0);
    EXPECT_EQ(d.poi, nullptr);
    SetPixelBudget(0);
    EXPECT_EQ(PixelBudget(), kDefaultPixelBudget);
}

TEST(Memory, LargeBlocksAreZeroedAndSized) {
    const std::size_t size = std::size_t{5} << 20;
    const std::uintptr_t block = GlobalAllocZeroed(size);
    ASSERT_NE(block, 0u);
    EXPECT_EQ(GlobalSize(block), size);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(block);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[size - 1], 0);
    GlobalFree(block);
}
