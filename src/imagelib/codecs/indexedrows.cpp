#include "imagelib/codecs/indexedrows.h"

namespace tessora {

IndexedRows::IndexedRows(const dib& d) : image_(d) {
    if (isIndexedDib(d)) {
        bits_ = DibBits(d);
        palette_ = dibPalette(d);
        return;
    }
    rgb_.resize(static_cast<std::size_t>(DibWidth(d)) * 3);
    exactColours_ = collectColours(d);
    if (exactColours_) {
        palette_ = exactColours_->colours();
    } else {
        diffusion_.emplace(DibWidth(d));
        palette_ = FixedPaletteDiffusion::palette();
    }
}

void IndexedRows::row(int y, std::uint8_t* indices) {
    if (isIndexedDib(image_)) {
        readIndexRow(image_, y, indices);
        return;
    }
    readRgbRow(image_, y, rgb_.data());
    if (diffusion_) {
        diffusion_->mapRow(rgb_.data(), indices);
        return;
    }
    const int width = DibWidth(image_);
    Rgb last{rgb_[0], rgb_[1], rgb_[2]};
    std::uint8_t lastIndex = exactColours_->find(last);
    for (int x = 0; x < width; ++x) {
        const Rgb colour{rgb_[3 * x], rgb_[3 * x + 1], rgb_[3 * x + 2]};
        if (colour != last) {  // charts are long runs of one colour
            last = colour;
            lastIndex = exactColours_->find(colour);
        }
        indices[x] = lastIndex;
    }
}

int bitsForColours(std::size_t colours) {
    int bits = 1;
    while (bits < 8 && (std::size_t{1} << bits) < colours)
        ++bits;
    return bits;
}

}  // namespace tessora
