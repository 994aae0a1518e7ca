#include "imagelib/bitmaproute.h"

#include <QCoreApplication>
#include <QString>

#include "imagelib/drawmessage.h"

namespace tessora {
namespace {

// Deletes the bitmap and the memory device on every way out.
class DeviceObjects {
  public:
    DeviceObjects(Device& device, BitmapHandle bitmap) : device_(device), bitmap_(bitmap) {}
    ~DeviceObjects() {
        device_.deleteDC(memory_);
        device_.deleteBitmap(bitmap_);
    }
    DeviceObjects(const DeviceObjects&) = delete;
    DeviceObjects& operator=(const DeviceObjects&) = delete;

    void createMemoryDevice() { memory_ = device_.createCompatibleDC(); }
    MemoryDeviceHandle memory() const { return memory_; }
    BitmapHandle bitmap() const { return bitmap_; }

  private:
    Device& device_;
    BitmapHandle bitmap_;
    MemoryDeviceHandle memory_ = 0;
};

}  // namespace

void drawThroughBitmap(Device& device, const IntRect& dest, const dib& image, const IntRect& source,
                       std::uint32_t rop) {
    const int width = DibWidth(image);
    const int height = DibHeight(image);
    const BitmapHandle bitmap = device.createCompatibleBitmap(width, height);
    if (bitmap == 0) {
        showDrawMessage(QCoreApplication::translate("DrawMessage", "Could not create bitmap."));
        return;
    }
    DeviceObjects objects(device, bitmap);
    objects.createMemoryDevice();
    if (device.setDIBits(objects.memory(), bitmap, 0, height, image.poi, image.pmi) == 0) {
        showDrawMessage(QCoreApplication::translate(
            "DrawMessage", "The device does not support the Funtkion setdibits!"));
        return;
    }
    const BitmapHandle previous = device.selectBitmap(objects.memory(), bitmap);
    // The bitmap holds the picture upright, so its rows count from the top.
    const IntRect fromTop{source.x, height - source.y - source.height, source.width, source.height};
    if (!device.stretchBlt(dest, objects.memory(), fromTop, rop)) {
        showDrawMessage(QCoreApplication::translate(
            "DrawMessage", "The device does not support the function StretchBlt!"));
    }
    device.selectBitmap(objects.memory(), previous);
}

}  // namespace tessora
