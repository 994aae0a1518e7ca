#pragma once
// Nearest-neighbour output of an image row by row through a one-row buffer, for 24-bit
// (RowBlit24) and 8-bit (RowBlit8) images. The source rectangle's top edge is a picture row
// counted from the top. Parts of the source outside the image come out black (RowBlit24) or in
// colour index 0 (RowBlit8). Only rows and columns inside the device's clip box cost anything.

#include "imagelib/device.h"

namespace tessora {

void RowBlit24(Device& device, int destX, int destY, int destWidth, int destHeight,
               const dib& image, int sourceX, int sourceTopRow, int sourceWidth, int sourceHeight);

void RowBlit8(Device& device, int destX, int destY, int destWidth, int destHeight, const dib& image,
              int sourceX, int sourceTopRow, int sourceWidth, int sourceHeight);

}  // namespace tessora
