#pragma once
// The drawing surface the drawing routine talks to: what kind of device it is, and the few raster
// calls the routine makes. Destination rectangles are in the device's logical units; source
// rectangles are in image pixels. Pixel data is always a device-independent bitmap: a 40-byte
// header with its colour table, bottom-up rows padded to 32-bit words.

#include <cstdint>

#include "imagelib/dib.h"
#include "imagelib/intrect.h"

namespace tessora {

enum class DeviceTechnology { Display, Printer };

enum class StretchMode : int { BlackOnWhite = 1, WhiteOnBlack = 2, ColorOnColor = 3, Halftone = 4 };

// Raster operation that copies the source unchanged, the only one the program uses.
constexpr std::uint32_t kSrcCopy = 0x00CC0020;

// What stretchDIBits answers when it failed (all 32 bits set).
constexpr int kGdiError = -1;

// Device objects are named by handles; 0 names none.
using BitmapHandle = std::uintptr_t;
using MemoryDeviceHandle = std::uintptr_t;

class Device {
  public:
    virtual ~Device() = default;

    virtual DeviceTechnology technology() const = 0;

    // Whether the device accepts unscaled device-independent output (setDIBitsToDevice).
    virtual bool takesUnscaledDib() const = 0;

    // The logical rectangle that output can still reach; anything outside it is thrown away.
    virtual IntRect clipBox() const = 0;

    // Returns the previous mode.
    virtual StretchMode setStretchMode(StretchMode mode) = 0;

    // Scales the source rectangle of the bitmap into dest. The source y counts stored rows from
    // the bottom of the bitmap. kGdiError on failure, otherwise the number of source rows used.
    virtual int stretchDIBits(const IntRect& dest, const IntRect& source, const std::uint8_t* bits,
                              const BitmapInfoHeader* header, std::uint32_t rop) = 0;

    // Unscaled output of the source rectangle (sourceX, sourceY, dest.width, dest.height), sourceY
    // counted from the bottom. `bits` holds `scanLines` stored rows starting at stored row
    // `startScan`; pixels of other rows are left alone. 0 on failure, else the rows output.
    virtual int setDIBitsToDevice(const IntRect& dest, int sourceX, int sourceY, int startScan,
                                  int scanLines, const std::uint8_t* bits,
                                  const BitmapInfoHeader* header) = 0;

    // A device-dependent bitmap and a memory device to draw from it; 0 on failure.
    virtual BitmapHandle createCompatibleBitmap(int width, int height) = 0;
    virtual MemoryDeviceHandle createCompatibleDC() = 0;

    // Copies stored rows startScan .. startScan + scanLines - 1 into the bitmap, upright.
    // 0 on failure, else the rows copied.
    virtual int setDIBits(MemoryDeviceHandle memory, BitmapHandle bitmap, int startScan,
                          int scanLines, const std::uint8_t* bits,
                          const BitmapInfoHeader* header) = 0;

    // Returns the bitmap that was selected before (0 for none or on failure).
    virtual BitmapHandle selectBitmap(MemoryDeviceHandle memory, BitmapHandle bitmap) = 0;

    // Scales a rectangle of the memory device's bitmap (y counted from its top) into dest.
    virtual bool stretchBlt(const IntRect& dest, MemoryDeviceHandle memory, const IntRect& source,
                            std::uint32_t rop) = 0;

    virtual void deleteDC(MemoryDeviceHandle memory) = 0;
    virtual void deleteBitmap(BitmapHandle bitmap) = 0;
};

}  // namespace tessora
