#include "imagelib/codecs/losslessrows.h"

namespace tessora {

LosslessRows::LosslessRows(const dib& d) : image_(d) {
    if (isIndexedDib(d)) {
        indexed_ = true;
        palette_ = dibPalette(d);
        return;
    }
    colours_ = collectColours(d);
    if (colours_) {
        indexed_ = true;
        palette_ = colours_->colours();
    }
}

std::size_t LosslessRows::rowBytes() const {
    return static_cast<std::size_t>(DibWidth(image_)) * static_cast<std::size_t>(bytesPerPixel());
}

void LosslessRows::row(int y, std::uint8_t* out) const {
    if (!indexed_) {
        readRgbRow(image_, y, out);
    } else if (colours_) {
        indexTrueColourRow(y, out);
    } else {
        readIndexRow(image_, y, out);
    }
}

// Straight from the stored blue-green-red pixels: a large chart has 227 million of them, and
// its runs of one colour need one table look-up each.
void LosslessRows::indexTrueColourRow(int y, std::uint8_t* out) const {
    const std::uint8_t* pixel = DibRow(image_, DibHeight(image_) - 1 - y);
    const int step = DibBits(image_) / 8;
    const int width = DibWidth(image_);
    Rgb last{pixel[2], pixel[1], pixel[0]};
    std::uint8_t lastIndex = colours_->find(last);
    for (int x = 0; x < width; ++x, pixel += step) {
        const Rgb colour{pixel[2], pixel[1], pixel[0]};
        if (colour != last) {
            last = colour;
            lastIndex = colours_->find(colour);
        }
        out[x] = lastIndex;
    }
}

}  // namespace tessora
