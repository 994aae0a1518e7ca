#pragma once
// Drawing an image, or a rectangle of it, scaled into a rectangle of any device: every view, the
// print preview and the printer page go through here.

#include <cstdint>

#include "imagelib/device.h"

namespace tessora {

// Draws the source rectangle of `image` (y counted in stored rows from the bottom) into the
// destination rectangle (y = top edge). The way is chosen by the image's depth, the device and
// the screen: halftone conversion for 24-bit images on screens of 8 bits or fewer when allowed,
// row output (RowBlit24, RowBlit8) on displays, otherwise the device's own stretching. An image
// without pixels, or rectangles with nothing left after clipping to the image, draw nothing.
// The device's stretch mode is left at ColorOnColor.
void StretchDrawDib(Device& device, int destX, int destY, int destWidth, int destHeight,
                    const dib& image, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                    bool halftoneAllowed, std::uint32_t rop);

}  // namespace tessora
