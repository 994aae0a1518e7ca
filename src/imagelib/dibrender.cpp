#include "imagelib/dibrender.h"

#include <QList>

namespace tessora {
namespace {

constexpr QRgb kNothing = 0;  // transparent: the device keeps its pixel

std::int64_t storedRowBytes(const BitmapInfoHeader& header) {
    return (std::int64_t{header.biWidth} * header.biBitCount + 31) / 32 * 4;
}

// Indices beyond the table's used entries come out black, as the platform draws them.
QList<QRgb> colourTable(const BitmapInfoHeader& header) {
    if (header.biBitCount > 8) return {};
    const int capacity = 1 << header.biBitCount;
    const int used =
        header.biClrUsed != 0 && header.biClrUsed < static_cast<std::uint32_t>(capacity)
            ? static_cast<int>(header.biClrUsed)
            : capacity;
    QList<QRgb> table(capacity, qRgb(0, 0, 0));
    const auto* quads = reinterpret_cast<const RgbQuad*>(&header + 1);
    for (int i = 0; i < used; ++i)
        table[i] = qRgb(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    return table;
}

template <typename PixelAt>
void readColumns(const std::vector<int>& columns, QRgb* out, PixelAt pixelAt) {
    for (const int column : columns)
        *out++ = column < 0 ? kNothing : pixelAt(column);
}

void readDibRow(const std::uint8_t* row, int bits, const std::vector<int>& columns,
                const QList<QRgb>& table, QRgb* out) {
    switch (bits) {
        case 1:
            readColumns(columns, out,
                        [&](int x) { return table[(row[x >> 3] >> (7 - (x & 7))) & 1]; });
            break;
        case 4:
            readColumns(columns, out, [&](int x) {
                return table[(x & 1) == 0 ? row[x >> 1] >> 4 : row[x >> 1] & 0x0F];
            });
            break;
        case 8:
            readColumns(columns, out, [&](int x) { return table[row[x]]; });
            break;
        default: {
            const int step = bits / 8;
            readColumns(columns, out, [&](int x) {
                const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * step;
                return qRgb(p[2], p[1], p[0]);
            });
            break;
        }
    }
}

// Start of picture row `row` (from the top), or nullptr when it is not among the given rows.
const std::uint8_t* dibRowFromTop(const DibPixels& pixels, int row) {
    if (row < 0) return nullptr;
    const std::int64_t stored = std::int64_t{pixels.header->biHeight} - 1 - row;
    const std::int64_t inBand = stored - pixels.firstStoredRow;
    if (inBand < 0 || inBand >= pixels.storedRows) return nullptr;
    return pixels.bits + inBand * storedRowBytes(*pixels.header);
}

QImage blankPart(const PixelMap& map) {
    return QImage(map.visible.width, map.visible.height, QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

bool isRenderable(const DibPixels& pixels) {
    if (pixels.header == nullptr || pixels.bits == nullptr || pixels.storedRows <= 0) return false;
    const BitmapInfoHeader& h = *pixels.header;
    const bool knownDepth = h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8 ||
                            h.biBitCount == 24 || h.biBitCount == 32;
    return knownDepth && h.biCompression == 0 && h.biWidth > 0 && h.biHeight > 0;
}

QImage renderDibPixels(const PixelMap& map, const DibPixels& pixels) {
    QImage part = blankPart(map);
    if (part.isNull()) return part;
    const QList<QRgb> table = colourTable(*pixels.header);
    for (int k = 0; k < map.visible.height; ++k) {
        auto* out = reinterpret_cast<QRgb*>(part.scanLine(k));
        const std::uint8_t* row = dibRowFromTop(pixels, map.rows[static_cast<std::size_t>(k)]);
        if (row == nullptr) {
            std::fill(out, out + map.visible.width, kNothing);
            continue;
        }
        readDibRow(row, pixels.header->biBitCount, map.columns, table, out);
    }
    return part;
}

QImage renderImagePixels(const PixelMap& map, const QImage& source) {
    QImage part = blankPart(map);
    if (part.isNull()) return part;
    const QImage rgb = source.format() == QImage::Format_RGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    for (int k = 0; k < map.visible.height; ++k) {
        auto* out = reinterpret_cast<QRgb*>(part.scanLine(k));
        const int row = map.rows[static_cast<std::size_t>(k)];
        if (row < 0) {
            std::fill(out, out + map.visible.width, kNothing);
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(row));
        readColumns(map.columns, out, [&](int x) { return in[x] | 0xFF000000u; });
    }
    return part;
}

}  // namespace tessora
