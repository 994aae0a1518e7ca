#include "testimages.h"

namespace tessora::test {

QRgb codedColour(int x, int y) {
    return qRgb(x & 0xFF, y & 0xFF, (x * 3 + y * 5 + 17) & 0xFF);
}

QRgb paletteColour(int index) {
    return qRgb(index, 255 - index, (index * 37 + 11) & 0xFF);
}

void makeTrueColour(OwnedDib& image, int width, int height, const ColourAt& colour) {
    newdib(image.out(), width, height, 24, nullptr, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = DibRow(image.get(), height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const QRgb c = colour(x, y);
            row[3 * x] = static_cast<std::uint8_t>(qBlue(c));
            row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
            row[3 * x + 2] = static_cast<std::uint8_t>(qRed(c));
        }
    }
}

void makeIndexed(OwnedDib& image, int width, int height, int bits, const IndexAt& index) {
    newdib(image.out(), width, height, bits, nullptr, 0);
    dib& d = *image.out();
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb c = paletteColour(i);
        const auto r = static_cast<std::uint8_t>(qRed(c));
        const auto g = static_cast<std::uint8_t>(qGreen(c));
        const auto b = static_cast<std::uint8_t>(qBlue(c));
        DibColorTable(d)[i] = RgbQuad{b, g, r, 0};
        d.pal.rgb0[i] = PalEntry{r, g, b, 0};
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            setpixel(d, x, y, static_cast<std::uint32_t>(index(x, y)));
    }
}

QRgb pixelColour(const dib& image, int x, int y) {
    const std::uint32_t value = getpixel(image, x, y);
    if (DibBits(image) == 24) return qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    const RgbQuad q = DibColorTable(image)[value];
    return qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

QImage blankCanvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(kUntouched);
    return canvas;
}

}  // namespace tessora::test
