#pragma once
// Which source pixel every visible destination pixel shows when a source rectangle is scaled into
// a destination rectangle by nearest neighbour. The mapping belongs to the whole destination, so
// drawing it piece by piece gives exactly the pixels of drawing it at once.

#include <vector>

#include "imagelib/intrect.h"

namespace tessora {

struct PixelMap {
    IntRect visible;           // the destination pixels described
    std::vector<int> columns;  // source column per visible column, -1 outside the source image
    std::vector<int> rows;     // source row (from the top) per visible row, -1 outside
};

// Destination offset i shows source offset (source size * i) div (destination size).
// `visible` must lie inside `dest`; the source image is sourceWidth x sourceHeight.
PixelMap mapVisiblePart(const IntRect& dest, const IntRect& sourceFromTop, const IntRect& visible,
                        int sourceWidth, int sourceHeight);

// The source pixels of `block` one to one (the block's own coordinates as the visible rectangle).
PixelMap mapBlock(const IntRect& block, int sourceWidth, int sourceHeight);

}  // namespace tessora
