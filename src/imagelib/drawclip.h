#pragma once
// Fitting a source rectangle to the image it is taken from, with the destination shrinking in
// proportion so the scale stays the same.

#include <optional>

#include "imagelib/intrect.h"

namespace tessora {

// A destination rectangle (y = top edge) and the source rectangle drawn into it (y counted in
// stored rows from the bottom of the image).
struct DrawRects {
    IntRect dest;
    IntRect source;
    friend bool operator==(const DrawRects&, const DrawRects&) = default;
};

// Cuts the source to the image's width and height, right, bottom, top and left edge in turn.
// nullopt when nothing is left to draw.
std::optional<DrawRects> clipToImage(DrawRects rects, int imageWidth, int imageHeight);

}  // namespace tessora
