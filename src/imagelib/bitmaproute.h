#pragma once
// The last way to draw: copy the whole image into a bitmap of the device and let the device
// stretch from it. Every failure is reported to the user through showDrawMessage.

#include "imagelib/device.h"

namespace tessora {

// `source` counts y from the bottom of the image, as the drawing routine does.
void drawThroughBitmap(Device& device, const IntRect& dest, const dib& image, const IntRect& source,
                       std::uint32_t rop);

}  // namespace tessora
