#include "imagelib/ownstretch.h"

#include <vector>

#include "imagelib/imagelib.h"
#include "imagelib/owneddib.h"

namespace tessora {
namespace {

// Source index for target index i of `targetSize`, the ends meeting the ends. A target one pixel
// wide or high has no second end and takes the first source column or row.
int spreadIndex(int start, int sourceSize, int targetSize, int i) {
    if (targetSize <= 1) return start;
    return start + static_cast<int>(std::int64_t{sourceSize - 1} * i / (targetSize - 1));
}

int nibble(const std::uint8_t* row, int x) {
    return (x & 1) == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
}

void orNibble(std::uint8_t* row, int x, int value) {
    row[x / 2] = static_cast<std::uint8_t>(row[x / 2] | ((x & 1) == 0 ? value << 4 : value));
}

void copyPixel(const dib& image, int sx, int sy, const dib& target, int i, int j) {
    const std::uint8_t* from = DibRow(image, sy);
    std::uint8_t* to = DibRow(target, j);
    switch (DibBits(image)) {
        case 1:
            // The library counts rows from the top; both rows here are stored rows.
            setpixel(target, i, DibHeight(target) - 1 - j,
                     getpixel(image, sx, DibHeight(image) - 1 - sy));
            break;
        case 4:
            orNibble(to, i, nibble(from, sx));
            break;
        case 8:
            to[i] = from[sx];
            break;
        case 24:
            for (int k = 0; k < 3; ++k)
                to[3 * i + k] = from[3 * sx + k];
            break;
        default:
            break;
    }
}

}  // namespace

void stretchDibNearest(dib* out, const dib& image, const IntRect& source, int width, int height) {
    *out = dib{};
    const int colors = DibColorCount(image) <= 256 ? DibColorCount(image) : 0;
    OwnedDib target;
    newdib(target.out(), width, height, DibBits(image), image.pmi, colors);
    if (!target.hasPixels()) return;
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int i = 0; i < width; ++i)
        columns[static_cast<std::size_t>(i)] = spreadIndex(source.x, source.width, width, i);
    for (int j = 0; j < height; ++j) {
        const int sy = spreadIndex(source.y, source.height, height, j);
        for (int i = 0; i < width; ++i)
            copyPixel(image, columns[static_cast<std::size_t>(i)], sy, target.get(), i, j);
    }
    *out = target.release();
}

}  // namespace tessora
