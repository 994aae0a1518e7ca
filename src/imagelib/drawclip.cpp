#include "imagelib/drawclip.h"

#include <cstdint>

#include "imagelib/rounding.h"

namespace tessora {
namespace {

bool hasArea(const DrawRects& r) {
    return !r.dest.isEmpty() && !r.source.isEmpty();
}

void clipRight(DrawRects& r, int imageWidth) {
    if (r.source.right() <= imageWidth) return;
    const int kept = clampToInt(std::int64_t{imageWidth} - r.source.x);
    r.dest.width = roundedProportion(r.dest.width, kept, r.source.width);
    r.source.width = kept;
}

// Source y counts from the bottom, so the bottom edge leaves the destination's top where it is.
void clipBottom(DrawRects& r) {
    if (r.source.y >= 0) return;
    const int kept = clampToInt(std::int64_t{r.source.height} + r.source.y);
    r.dest.height = roundedProportion(kept, r.dest.height, r.source.height);
    r.source.height = kept;
    r.source.y = 0;
}

void clipTop(DrawRects& r, int imageHeight) {
    if (r.source.bottom() <= imageHeight) return;
    const int kept = clampToInt(std::int64_t{imageHeight} - r.source.y);
    const int height = roundedProportion(r.dest.height, kept, r.source.height);
    r.dest.y = clampToInt(r.dest.bottom() - height);
    r.dest.height = height;
    r.source.height = kept;
}

void clipLeft(DrawRects& r) {
    if (r.source.x >= 0) return;
    const int kept = clampToInt(std::int64_t{r.source.width} + r.source.x);
    const int width = roundedProportion(r.dest.width, kept, r.source.width);
    r.dest.x = clampToInt(r.dest.right() - width);
    r.dest.width = width;
    r.source.width = kept;
    r.source.x = 0;
}

}  // namespace

std::optional<DrawRects> clipToImage(DrawRects rects, int imageWidth, int imageHeight) {
    // Every proportion divides by a source size, so an empty source must stop here.
    if (!hasArea(rects)) return std::nullopt;
    clipRight(rects, imageWidth);
    clipBottom(rects);
    clipTop(rects, imageHeight);
    if (rects.source.isEmpty()) return std::nullopt;
    clipLeft(rects);
    if (!hasArea(rects)) return std::nullopt;
    return rects;
}

}  // namespace tessora
