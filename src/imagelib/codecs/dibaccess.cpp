#include "imagelib/codecs/dibaccess.h"

namespace tessora {
namespace {

const std::uint8_t* pictureRow(const dib& d, int y) {
    return DibRow(d, DibHeight(d) - 1 - y);
}

}  // namespace

std::vector<Rgb> dibPalette(const dib& d) {
    const int entries = isIndexedDib(d) ? 1 << DibBits(d) : 0;
    std::vector<Rgb> palette(static_cast<std::size_t>(entries));
    const RgbQuad* table = DibColorTable(d);
    for (int i = 0; i < entries; ++i)
        palette[i] = Rgb{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue};
    return palette;
}

void readIndexRow(const dib& d, int y, std::uint8_t* indices) {
    const std::uint8_t* row = pictureRow(d, y);
    const int width = DibWidth(d);
    switch (DibBits(d)) {
        case 1:
            for (int x = 0; x < width; ++x)
                indices[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                indices[x] = (x & 1) == 0 ? row[x >> 1] >> 4 : row[x >> 1] & 0x0F;
            break;
        default:
            for (int x = 0; x < width; ++x)
                indices[x] = row[x];
            break;
    }
}

void readRgbRow(const dib& d, int y, std::uint8_t* rgb) {
    const int width = DibWidth(d);
    const int bits = DibBits(d);
    if (bits <= 8) {
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(width));
        readIndexRow(d, y, indices.data());
        const RgbQuad* table = DibColorTable(d);
        for (int x = 0; x < width; ++x, rgb += 3) {
            const RgbQuad& q = table[indices[x]];
            rgb[0] = q.rgbRed;
            rgb[1] = q.rgbGreen;
            rgb[2] = q.rgbBlue;
        }
        return;
    }
    const std::uint8_t* from = pictureRow(d, y);
    const int step = bits / 8;
    for (int x = 0; x < width; ++x, from += step, rgb += 3) {
        rgb[0] = from[2];
        rgb[1] = from[1];
        rgb[2] = from[0];
    }
}

void setDibColour(dib& d, int index, Rgb colour) {
    if (!isIndexedDib(d) || index < 0 || index >= (1 << DibBits(d)))
        return;  // no table entry there
    DibColorTable(d)[index] = RgbQuad{colour.b, colour.g, colour.r, 0};
    d.pal.rgb0[index] = PalEntry{colour.r, colour.g, colour.b, 0};
}

void writeIndexRow(const dib& d, int y, const std::uint8_t* indices) {
    std::uint8_t* row = DibRow(d, DibHeight(d) - 1 - y);
    const int width = DibWidth(d);
    switch (DibBits(d)) {
        case 1:
            for (int x = 0; x < width; ++x) {
                const auto bit = static_cast<std::uint8_t>((indices[x] & 1) << (7 - (x & 7)));
                row[x >> 3] = static_cast<std::uint8_t>((x & 7) == 0 ? bit : row[x >> 3] | bit);
            }
            break;
        case 4:
            for (int x = 0; x < width; ++x) {
                const auto nibble = static_cast<std::uint8_t>(indices[x] & 0x0F);
                row[x >> 1] =
                    static_cast<std::uint8_t>((x & 1) == 0 ? nibble << 4 : row[x >> 1] | nibble);
            }
            break;
        default:
            for (int x = 0; x < width; ++x)
                row[x] = indices[x];
            break;
    }
}

void writeRgbRow(const dib& d, int y, const std::uint8_t* rgb) {
    std::uint8_t* to = DibRow(d, DibHeight(d) - 1 - y);
    const int width = DibWidth(d);
    for (int x = 0; x < width; ++x, to += 3, rgb += 3) {
        to[0] = rgb[2];
        to[1] = rgb[1];
        to[2] = rgb[0];
    }
}

}  // namespace tessora
