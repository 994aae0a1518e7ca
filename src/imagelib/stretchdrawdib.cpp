#include "imagelib/stretchdrawdib.h"

#include "imagelib/bitmaproute.h"
#include "imagelib/drawclip.h"
#include "imagelib/halftone.h"
#include "imagelib/imagelib.h"
#include "imagelib/owneddib.h"
#include "imagelib/ownstretch.h"
#include "imagelib/rounding.h"
#include "imagelib/rowblit.h"

namespace tessora {
namespace {

enum class DrawWay { Halftone, RowBlit24, RowBlit8, DeviceStretch };

DrawWay chooseWay(int bits, bool printer, bool halftoneAllowed) {
    // The halftone test asks about the screen, whatever device is drawn on.
    if (bits == 24 && halftoneAllowed && ScreenBitsPerPixel() <= 8) return DrawWay::Halftone;
    if (bits == 24 && !printer) return DrawWay::RowBlit24;
    if (bits == 8 && !printer) return DrawWay::RowBlit8;
    return DrawWay::DeviceStretch;
}

void drawHalftoned(Device& device, const dib& image, const DrawRects& r, std::uint32_t rop) {
    const int width = DibWidth(image);
    const int height = DibHeight(image);
    OwnedDib converted;
    if (r.dest.width < r.source.width || r.dest.height < r.source.height) {
        // Shrinking: convert at the scale of the destination and copy the part unscaled.
        DIBHalftoneDIBXY(converted.out(), image,
                         roundedProportion(r.dest.width, width, r.source.width),
                         roundedProportion(r.dest.height, height, r.source.height));
        if (!converted.hasPixels()) return;
        const dib& t = converted.get();
        const IntRect part{roundedProportion(DibWidth(t), r.source.x, width),
                           roundedProportion(DibHeight(t), r.source.y, height), r.dest.width,
                           r.dest.height};
        device.stretchDIBits(r.dest, part, t.poi, t.pmi, rop);
        return;
    }
    DIBHalftoneDIB(converted.out(), image);
    if (!converted.hasPixels()) return;
    device.stretchDIBits(r.dest, r.source, converted.get().poi, converted.get().pmi, rop);
}

void drawRows(Device& device, const dib& image, const DrawRects& r, DrawWay way) {
    const IntRect& d = r.dest;
    // The row routines take the source's top edge as a picture row counted from the top.
    const int topRow = DibHeight(image) - r.source.y - r.source.height;
    if (way == DrawWay::RowBlit24) {
        RowBlit24(device, d.x, d.y, d.width, d.height, image, r.source.x, topRow, r.source.width,
                  r.source.height);
    } else {
        RowBlit8(device, d.x, d.y, d.width, d.height, image, r.source.x, topRow, r.source.width,
                 r.source.height);
    }
}

// True when the drawing is done; false when the unscaled output failed. A stretched copy that
// cannot be created ends the drawing: a bitmap of the device would not fit either.
bool drawOwnStretch(Device& device, const dib& image, const DrawRects& r) {
    OwnedDib stretched;
    stretchDibNearest(stretched.out(), image, r.source, r.dest.width, r.dest.height);
    if (!stretched.hasPixels()) return true;
    const dib& big = stretched.get();
    return device.setDIBitsToDevice(r.dest, 0, 0, 0, r.dest.height, big.poi, big.pmi) != 0;
}

void drawByDevice(Device& device, const dib& image, const DrawRects& r, std::uint32_t rop) {
    const bool takesUnscaled = device.takesUnscaledDib();
    if (device.stretchDIBits(r.dest, r.source, image.poi, image.pmi, rop) != kGdiError) return;
    if (takesUnscaled && drawOwnStretch(device, image, r)) return;
    drawThroughBitmap(device, r.dest, image, r.source, rop);
}

}  // namespace

void StretchDrawDib(Device& device, int destX, int destY, int destWidth, int destHeight,
                    const dib& image, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                    bool halftoneAllowed, std::uint32_t rop) {
    const bool printer = device.technology() == DeviceTechnology::Printer;
    device.setStretchMode(StretchMode::ColorOnColor);
    if (image.pmi == nullptr || image.poi == nullptr) return;
    const auto rects = clipToImage(
        {{destX, destY, destWidth, destHeight}, {sourceX, sourceY, sourceWidth, sourceHeight}},
        DibWidth(image), DibHeight(image));
    if (!rects) return;
    const DrawWay way = chooseWay(DibBits(image), printer, halftoneAllowed);
    switch (way) {
        case DrawWay::Halftone:
            drawHalftoned(device, image, *rects, rop);
            break;
        case DrawWay::RowBlit24:
        case DrawWay::RowBlit8:
            drawRows(device, image, *rects, way);
            break;
        case DrawWay::DeviceStretch:
            drawByDevice(device, image, *rects, rop);
            break;
    }
}

}  // namespace tessora
