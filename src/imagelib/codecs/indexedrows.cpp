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
    if (diffusion_) {
        readRgbRow(image_, y, rgb_.data());
        diffusion_->mapRow(rgb_.data(), indices);
        return;
    }
    exactColours_->findBgrRow(DibRow(image_, DibHeight(image_) - 1 - y), DibBits(image_) / 8,
                              DibWidth(image_), indices);
}

int bitsForColours(std::size_t colours) {
    int bits = 1;
    while (bits < 8 && (std::size_t{1} << bits) < colours)
        ++bits;
    return bits;
}

}  // namespace tessora
