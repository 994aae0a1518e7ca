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

void LosslessRows::indexTrueColourRow(int y, std::uint8_t* out) const {
    colours_->findBgrRow(DibRow(image_, DibHeight(image_) - 1 - y), DibBits(image_) / 8,
                         DibWidth(image_), out);
}

}  // namespace tessora
