#include "imagelib/painterdevice.h"

#include <QPaintDevice>
#include <QPainter>
#include <utility>

#include "imagelib/dibrender.h"

namespace tessora {
namespace {

// Qt's raster painter is reliable only for coordinates within this distance of 0.
constexpr int kCoordinateLimit = 32767;

IntRect toIntRect(const QRect& r) {
    return IntRect{r.x(), r.y(), r.width(), r.height()};
}

QRect wholeDevice(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device == nullptr ? QRect() : QRect(0, 0, device->width(), device->height());
}

// Logical points whose painter coordinates Qt can address.
IntRect addressable(const QPoint& origin) {
    return IntRect{clampToInt(std::int64_t{origin.x()} - kCoordinateLimit),
                   clampToInt(std::int64_t{origin.y()} - kCoordinateLimit), 2 * kCoordinateLimit,
                   2 * kCoordinateLimit};
}

bool withinCoordinateLimit(const QRectF& r) {
    return r.left() >= -kCoordinateLimit && r.top() >= -kCoordinateLimit &&
           r.right() <= kCoordinateLimit && r.bottom() <= kCoordinateLimit;
}

// The source offset that destination offset `offset` shows, as the whole drawing maps it.
int sourceOffset(int sourceSize, int destSize, std::int64_t offset) {
    return static_cast<int>(std::int64_t{sourceSize} * offset / destSize);
}

}  // namespace

PainterDevice::PainterDevice(QPainter& painter, DeviceKind kind)
    : PainterDevice(painter, kind, wholeDevice(painter), QPoint(0, 0)) {}

PainterDevice::PainterDevice(QPainter& painter, DeviceKind kind, const QRect& exposed,
                             const QPoint& origin)
    : painter_(painter),
      kind_(kind),
      origin_(origin),
      reachable_(intersected(toIntRect(exposed), addressable(origin))),
      mode_(painter.testRenderHint(QPainter::SmoothPixmapTransform) ? StretchMode::Halftone
                                                                    : StretchMode::ColorOnColor) {}

DeviceTechnology PainterDevice::technology() const {
    return kind_ == DeviceKind::Printer ? DeviceTechnology::Printer : DeviceTechnology::Display;
}

IntRect PainterDevice::clipBox() const {
    if (!painter_.hasClipping()) return reachable_;
    const QRect clip = painter_.clipBoundingRect().toAlignedRect().translated(origin_);
    return intersected(reachable_, toIntRect(clip));
}

StretchMode PainterDevice::setStretchMode(StretchMode mode) {
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, mode == StretchMode::Halftone);
    return std::exchange(mode_, mode);
}

int PainterDevice::stretchDIBits(const IntRect& dest, const IntRect& source,
                                 const std::uint8_t* bits, const BitmapInfoHeader* header,
                                 std::uint32_t rop) {
    const DibPixels pixels{header, bits, 0, header == nullptr ? 0 : header->biHeight};
    if (rop != kSrcCopy || !isRenderable(pixels)) return kGdiError;
    if (dest.isEmpty() || source.isEmpty()) return 0;
    const int height = header->biHeight;
    const IntRect fromTop{source.x, clampToInt(std::int64_t{height} - source.y - source.height),
                          source.width, source.height};
    const bool drawn =
        paintScaled(dest, fromTop, QSize(header->biWidth, height),
                    [&](const PixelMap& map) { return renderDibPixels(map, pixels); });
    return drawn ? source.height : kGdiError;
}

int PainterDevice::setDIBitsToDevice(const IntRect& dest, int sourceX, int sourceY, int startScan,
                                     int scanLines, const std::uint8_t* bits,
                                     const BitmapInfoHeader* header) {
    const DibPixels pixels{header, bits, startScan, scanLines};
    if (!isRenderable(pixels)) return 0;
    if (dest.isEmpty()) return scanLines;
    const int height = header->biHeight;
    const IntRect fromTop{sourceX, clampToInt(std::int64_t{height} - sourceY - dest.height),
                          dest.width, dest.height};
    const bool drawn =
        paintScaled(dest, fromTop, QSize(header->biWidth, height),
                    [&](const PixelMap& map) { return renderDibPixels(map, pixels); });
    return drawn ? scanLines : 0;
}

BitmapHandle PainterDevice::createCompatibleBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    QImage bitmap(width, height, QImage::Format_RGB32);
    if (bitmap.isNull()) return 0;
    bitmap.fill(Qt::black);
    const BitmapHandle handle = nextHandle_++;
    bitmaps_.emplace(handle, std::move(bitmap));
    return handle;
}

MemoryDeviceHandle PainterDevice::createCompatibleDC() {
    const MemoryDeviceHandle handle = nextHandle_++;
    memoryDevices_.emplace(handle, 0);
    return handle;
}

int PainterDevice::setDIBits(MemoryDeviceHandle, BitmapHandle bitmap, int startScan, int scanLines,
                             const std::uint8_t* bits, const BitmapInfoHeader* header) {
    const auto found = bitmaps_.find(bitmap);
    const DibPixels pixels{header, bits, startScan, scanLines};
    if (found == bitmaps_.end() || !isRenderable(pixels)) return 0;
    QImage& target = found->second;
    const PixelMap map =
        mapBlock(IntRect{0, 0, target.width(), target.height()}, header->biWidth, header->biHeight);
    const QImage part = renderDibPixels(map, pixels);
    if (part.isNull()) return 0;
    QPainter onBitmap(&target);
    onBitmap.drawImage(0, 0, part);
    return scanLines;
}

BitmapHandle PainterDevice::selectBitmap(MemoryDeviceHandle memory, BitmapHandle bitmap) {
    const auto found = memoryDevices_.find(memory);
    if (found == memoryDevices_.end()) return 0;
    return std::exchange(found->second, bitmap);
}

bool PainterDevice::stretchBlt(const IntRect& dest, MemoryDeviceHandle memory,
                               const IntRect& source, std::uint32_t rop) {
    const QImage* bitmap = selectedBitmap(memory);
    if (rop != kSrcCopy || bitmap == nullptr) return false;
    if (dest.isEmpty() || source.isEmpty()) return true;
    return paintScaled(dest, source, bitmap->size(),
                       [&](const PixelMap& map) { return renderImagePixels(map, *bitmap); });
}

void PainterDevice::deleteDC(MemoryDeviceHandle memory) {
    memoryDevices_.erase(memory);
}

void PainterDevice::deleteBitmap(BitmapHandle bitmap) {
    bitmaps_.erase(bitmap);
}

QImage* PainterDevice::selectedBitmap(MemoryDeviceHandle memory) {
    const auto device = memoryDevices_.find(memory);
    if (device == memoryDevices_.end()) return nullptr;
    const auto bitmap = bitmaps_.find(device->second);
    return bitmap == bitmaps_.end() ? nullptr : &bitmap->second;
}

bool PainterDevice::paintScaled(const IntRect& dest, const IntRect& source, QSize sourceSize,
                                const RenderFn& render) {
    const IntRect visible = intersected(dest, clipBox());
    if (visible.isEmpty()) return true;
    if (kind_ == DeviceKind::Printer)
        return paintBlockForPrinter(dest, source, sourceSize, visible, render);
    return paintExact(dest, source, sourceSize, visible, render);
}

bool PainterDevice::paintExact(const IntRect& dest, const IntRect& source, QSize sourceSize,
                               const IntRect& visible, const RenderFn& render) {
    const QImage part =
        render(mapVisiblePart(dest, source, visible, sourceSize.width(), sourceSize.height()));
    if (part.isNull()) return false;
    painter_.drawImage(QPoint(visible.x - origin_.x(), visible.y - origin_.y()), part);
    return true;
}

// A printer gets the covered source pixels at their own resolution and scales them itself:
// the job stays small and the printer's resolution decides the result.
bool PainterDevice::paintBlockForPrinter(const IntRect& dest, const IntRect& source,
                                         QSize sourceSize, const IntRect& visible,
                                         const RenderFn& render) {
    const int firstColumn =
        sourceOffset(source.width, dest.width, std::int64_t{visible.x} - dest.x);
    const int lastColumn = sourceOffset(source.width, dest.width, visible.right() - 1 - dest.x);
    const int firstRow = sourceOffset(source.height, dest.height, std::int64_t{visible.y} - dest.y);
    const int lastRow = sourceOffset(source.height, dest.height, visible.bottom() - 1 - dest.y);
    const double scaleX = static_cast<double>(dest.width) / source.width;
    const double scaleY = static_cast<double>(dest.height) / source.height;
    const QRectF target(static_cast<double>(dest.x) - origin_.x() + firstColumn * scaleX,
                        static_cast<double>(dest.y) - origin_.y() + firstRow * scaleY,
                        (lastColumn - firstColumn + 1) * scaleX, (lastRow - firstRow + 1) * scaleY);
    if (!withinCoordinateLimit(target))
        return paintExact(dest, source, sourceSize, visible, render);
    const IntRect block{source.x + firstColumn, source.y + firstRow, lastColumn - firstColumn + 1,
                        lastRow - firstRow + 1};
    const QImage part = render(mapBlock(block, sourceSize.width(), sourceSize.height()));
    if (part.isNull()) return false;
    painter_.save();
    painter_.setClipRect(
        QRect(visible.x - origin_.x(), visible.y - origin_.y(), visible.width, visible.height),
        Qt::IntersectClip);
    painter_.drawImage(target, part);
    painter_.restore();
    return true;
}

}  // namespace tessora
