#pragma once
// The device layer over a QPainter: a widget, a QImage or a QPrinter. Logical coordinates are
// 32-bit; the logical point `origin` is drawn at the painter's (0, 0), so a view far larger
// than Qt can address (its raster painter is reliable within +-32767) is painted through a
// widget of its visible size. Only the exposed rectangle is touched, and it is computed exactly
// as part of the whole destination, so scrolling never shows a seam. Scaling is nearest
// neighbour, never smoothed.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <map>

#include "imagelib/device.h"
#include "imagelib/pixelmap.h"

class QPainter;

namespace tessora {

enum class DeviceKind { Widget, Image, Printer };

class PainterDevice final : public Device {
  public:
    // The whole paint device is exposed, logical coordinates are the painter's.
    PainterDevice(QPainter& painter, DeviceKind kind);
    // `exposed` in logical coordinates.
    PainterDevice(QPainter& painter, DeviceKind kind, const QRect& exposed, const QPoint& origin);

    DeviceTechnology technology() const override;
    bool takesUnscaledDib() const override { return true; }
    IntRect clipBox() const override;
    StretchMode setStretchMode(StretchMode mode) override;
    int stretchDIBits(const IntRect& dest, const IntRect& source, const std::uint8_t* bits,
                      const BitmapInfoHeader* header, std::uint32_t rop) override;
    int setDIBitsToDevice(const IntRect& dest, int sourceX, int sourceY, int startScan,
                          int scanLines, const std::uint8_t* bits,
                          const BitmapInfoHeader* header) override;
    BitmapHandle createCompatibleBitmap(int width, int height) override;
    MemoryDeviceHandle createCompatibleDC() override;
    int setDIBits(MemoryDeviceHandle memory, BitmapHandle bitmap, int startScan, int scanLines,
                  const std::uint8_t* bits, const BitmapInfoHeader* header) override;
    BitmapHandle selectBitmap(MemoryDeviceHandle memory, BitmapHandle bitmap) override;
    bool stretchBlt(const IntRect& dest, MemoryDeviceHandle memory, const IntRect& source,
                    std::uint32_t rop) override;
    void deleteDC(MemoryDeviceHandle memory) override;
    void deleteBitmap(BitmapHandle bitmap) override;

  private:
    using RenderFn = std::function<QImage(const PixelMap&)>;

    // Draws the visible part of `source` (y from the top of a sourceWidth x sourceHeight
    // picture) scaled into `dest`; false when memory is short.
    bool paintScaled(const IntRect& dest, const IntRect& source, QSize sourceSize,
                     const RenderFn& render);
    bool paintExact(const IntRect& dest, const IntRect& source, QSize sourceSize,
                    const IntRect& visible, const RenderFn& render);
    bool paintBlockForPrinter(const IntRect& dest, const IntRect& source, QSize sourceSize,
                              const IntRect& visible, const RenderFn& render);
    QImage* selectedBitmap(MemoryDeviceHandle memory);

    QPainter& painter_;
    DeviceKind kind_;
    QPoint origin_;
    IntRect reachable_;  // exposed and addressable by the painter, logical
    StretchMode mode_;
    std::uintptr_t nextHandle_ = 1;
    std::map<BitmapHandle, QImage> bitmaps_;
    std::map<MemoryDeviceHandle, BitmapHandle> memoryDevices_;  // the bitmap selected into each
};

}  // namespace tessora
