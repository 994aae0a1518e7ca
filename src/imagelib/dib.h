#pragma once
// The raster image record: a device-independent bitmap (40-byte info header, colour table of
// blue-green-red-0 quads, bottom-up rows padded to 32-bit words) plus the image's colours as a
// logical palette. A record is a plain value: copies borrow, the one owner releases with FreeDib.

#include <cstdint>
#include <type_traits>

namespace tessora {

struct PalEntry {
    std::uint8_t peRed;
    std::uint8_t peGreen;
    std::uint8_t peBlue;
    std::uint8_t peFlags;
};

// Logical palette layout: version, entries in use, room for 256 entries.
struct LPAL {
    std::uint16_t ver;
    std::uint16_t num;
    PalEntry rgb0[256];
};
static_assert(sizeof(LPAL) == 1028, "LPAL keeps the logical palette layout");
static_assert(std::is_trivially_copyable_v<LPAL>);

constexpr std::uint16_t kPaletteVersion = 0x300;

struct BitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40, "the platform's 40-byte info header");

struct RgbQuad {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};
static_assert(sizeof(RgbQuad) == 4);

struct dib {
    BitmapInfoHeader* pmi;  // header, directly followed by the colour table
    std::uintptr_t poih;    // block holding the pixel rows
    std::uintptr_t pmih;    // block holding the header; equal to poih when one block holds both
    std::uint8_t* poi;      // first byte of stored row 0 (the bottom row)
    std::int32_t bytew;     // bytes per stored row
    std::uint8_t ispal;
    LPAL pal;
    std::uintptr_t NOTUSEDINFIXEDMEMlp;
    std::int32_t zoom;
    std::int32_t scx;
    std::int32_t scy;
    std::int32_t mx1;
    std::int32_t my1;
    std::int32_t mx2;
    std::int32_t my2;
};
static_assert(std::is_trivially_copyable_v<dib>);
static_assert(std::is_standard_layout_v<dib>);

// The colour table that follows the header of an indexed image.
inline RgbQuad* DibColorTable(const dib& d) {
    return reinterpret_cast<RgbQuad*>(reinterpret_cast<std::uint8_t*>(d.pmi) +
                                      sizeof(BitmapInfoHeader));
}

// Start of stored row r (row 0 is the bottom row of the picture).
inline std::uint8_t* DibRow(const dib& d, int storedRow) {
    return d.poi + static_cast<std::intptr_t>(storedRow) * d.bytew;
}

void FreeDib(dib& d);
int DibWidth(const dib& d);
int DibHeight(const dib& d);
int DibBits(const dib& d);
int DibColorCount(const dib& d);

// Bits per pixel of the screen; tests and headless runs may set it.
int ScreenBitsPerPixel();
void SetScreenBitsPerPixelOverride(int bits);  // 0 removes the override

}  // namespace tessora
