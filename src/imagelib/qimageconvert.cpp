#include "imagelib/qimageconvert.h"

#include <QColor>

#include "imagelib/imagesize.h"

namespace tessora {
namespace {

// Row progress, safe for pictures of a single row.
void reportRow(const ProgressFn& progress, int y, int height) {
    if (progress) progress(height > 1 ? y * 100 / (height - 1) : 100);
}

std::uint8_t overWhite(int channel, int alpha) {
    return static_cast<std::uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

// A plane of the image's size, all opaque, when the caller wants one and the image has alpha.
std::uint8_t* startAlpha(AlphaPlane* alpha, const QImage& image) {
    if (alpha == nullptr || !image.hasAlphaChannel()) return nullptr;
    alpha->width = image.width();
    alpha->height = image.height();
    alpha->alpha.assign(static_cast<std::size_t>(image.width()) * image.height(), 255);
    return alpha->alpha.data();
}

int indexedDepth(const QImage& image, int fileBits) {
    const auto colors = image.colorCount();
    if (fileBits == 1 && colors <= 2) return 1;
    if ((fileBits == 2 || fileBits == 4) && colors <= 16) return 4;
    return 8;
}

void setTable(dib& d, const QList<QRgb>& table) {
    RgbQuad* quads = DibColorTable(d);
    const int entries = std::min<int>(static_cast<int>(table.size()), 1 << d.pmi->biBitCount);
    for (int i = 0; i < entries; ++i) {
        const QRgb c = table[i];
        const int a = qAlpha(c);
        const std::uint8_t r = overWhite(qRed(c), a), g = overWhite(qGreen(c), a),
                           b = overWhite(qBlue(c), a);
        quads[i] = RgbQuad{b, g, r, 0};
        d.pal.rgb0[i] = PalEntry{r, g, b, 0};
    }
}

void packIndexedRow(const uchar* from, int width, int bits, std::uint8_t* to) {
    switch (bits) {
        case 8:
            std::copy(from, from + width, to);
            break;
        case 4:
            for (int x = 0; x < width; ++x) {
                const auto v = static_cast<std::uint8_t>(from[x] & 0x0F);
                to[x >> 1] = static_cast<std::uint8_t>((x & 1) == 0 ? v << 4 : to[x >> 1] | v);
            }
            break;
        default:
            for (int x = 0; x < width; ++x) {
                if ((from[x] & 1) != 0)
                    to[x >> 3] = static_cast<std::uint8_t>(to[x >> 3] | (0x80 >> (x & 7)));
            }
            break;
    }
}

ImageError convertIndexed(const QImage& source, int fileBits, dib* out, const ProgressFn& progress,
                          AlphaPlane* alpha) {
    QImage image = source.format() == QImage::Format_Indexed8
                       ? source
                       : source.convertToFormat(QImage::Format_Indexed8);
    if (image.isNull()) return ImageError::OutOfMemory;
    const int bits = indexedDepth(image, fileBits);
    newdib(out, image.width(), image.height(), bits, nullptr, 0);
    if (out->poi == nullptr) return ImageError::OutOfMemory;
    setTable(*out, image.colorTable());
    const QList<QRgb> table = image.colorTable();
    std::uint8_t* plane = startAlpha(alpha, image);
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        reportRow(progress, y, height);
        const uchar* indices = image.constScanLine(y);
        packIndexedRow(indices, width, bits, DibRow(*out, height - 1 - y));
        for (int x = 0; plane != nullptr && x < width; ++x) {
            const QRgb c = indices[x] < table.size() ? table[indices[x]] : qRgba(0, 0, 0, 255);
            plane[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(qAlpha(c));
        }
    }
    return ImageError::None;
}

ImageError convertGray(const QImage& source, dib* out, const ProgressFn& progress) {
    QImage image = source.format() == QImage::Format_Grayscale8
                       ? source
                       : source.convertToFormat(QImage::Format_Grayscale8);
    if (image.isNull()) return ImageError::OutOfMemory;
    newdib(out, image.width(), image.height(), 8, nullptr, 0);
    if (out->poi == nullptr) return ImageError::OutOfMemory;
    QList<QRgb> ramp(256);
    for (int i = 0; i < 256; ++i)
        ramp[i] = qRgb(i, i, i);
    setTable(*out, ramp);
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        reportRow(progress, y, height);
        packIndexedRow(image.constScanLine(y), image.width(), 8, DibRow(*out, height - 1 - y));
    }
    return ImageError::None;
}

// One row of `image` in `wanted`, converted on its own: a whole converted copy of a large
// picture would cost as much again as Qt's image.
const QRgb* rowIn(const QImage& image, int y, QImage::Format wanted, QImage& converted) {
    if (image.format() == wanted) return reinterpret_cast<const QRgb*>(image.constScanLine(y));
    QImage row(image.constScanLine(y), image.width(), 1, image.bytesPerLine(), image.format());
    if (image.format() == QImage::Format_Indexed8) row.setColorTable(image.colorTable());
    converted = row.convertToFormat(wanted);
    return converted.isNull() ? nullptr : reinterpret_cast<const QRgb*>(converted.constScanLine(0));
}

ImageError convertTrueColor(const QImage& image, dib* out, const ProgressFn& progress,
                            AlphaPlane* alphaOut) {
    // Premultiplied pixels make "over white" a subtraction:
    // c*a + 255*(1-a) = premultiplied + 255 - a.
    const bool alpha = image.hasAlphaChannel();
    const QImage::Format wanted =
        alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    newdib(out, image.width(), image.height(), 24, nullptr, 0);
    if (out->poi == nullptr) return ImageError::OutOfMemory;
    std::uint8_t* plane = startAlpha(alphaOut, image);
    const int width = image.width();
    const int height = image.height();
    QImage converted;
    for (int y = 0; y < height; ++y) {
        reportRow(progress, y, height);
        const QRgb* from = rowIn(image, y, wanted, converted);
        if (from == nullptr) return ImageError::OutOfMemory;
        std::uint8_t* to = DibRow(*out, height - 1 - y);
        for (int x = 0; x < width; ++x, to += 3) {
            const QRgb c = from[x];
            const int lift = alpha ? 255 - qAlpha(c) : 0;
            to[0] = static_cast<std::uint8_t>(qBlue(c) + lift);
            to[1] = static_cast<std::uint8_t>(qGreen(c) + lift);
            to[2] = static_cast<std::uint8_t>(qRed(c) + lift);
        }
        if (plane != nullptr) {
            std::uint8_t* alphaRow = plane + static_cast<std::size_t>(y) * width;
            for (int x = 0; x < width; ++x)
                alphaRow[x] = static_cast<std::uint8_t>(qAlpha(from[x]));
        }
    }
    return ImageError::None;
}

}  // namespace

ImageError DibFromQImage(const QImage& image, int fileBits, dib* out, const ProgressFn& progress,
                         AlphaPlane* alpha) {
    *out = dib{};
    if (image.isNull()) return ImageError::Damaged;
    const SizeCheck check = CheckImageSize(image.width(), image.height(), 24);
    if (check == SizeCheck::TooLarge) return ImageError::TooLarge;
    if (check != SizeCheck::Ok) return ImageError::Empty;
    if (progress) progress(0);
    ImageError result;
    switch (image.format()) {
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
            result = convertIndexed(image, 1, out, progress, alpha);
            break;
        case QImage::Format_Indexed8:
            result = convertIndexed(image, fileBits, out, progress, alpha);
            break;
        case QImage::Format_Grayscale8:
        case QImage::Format_Grayscale16:
            result = convertGray(image, out, progress);
            break;
        default:
            result = convertTrueColor(image, out, progress, alpha);
            break;
    }
    if (progress) progress(0);
    return result;
}

}  // namespace tessora

namespace tessora {

QImage QImageFromDib(const dib& d) {
    if (d.poi == nullptr || d.pmi == nullptr) return QImage();
    const int width = DibWidth(d);
    const int height = DibHeight(d);
    const int bits = DibBits(d);
    if (bits == 24 || bits == 32) {
        QImage image(width, height, QImage::Format_RGB888);
        if (image.isNull()) return image;
        const int step = bits / 8;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* from = DibRow(d, height - 1 - y);
            uchar* to = image.scanLine(y);
            for (int x = 0; x < width; ++x, from += step, to += 3) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
            }
        }
        return image;
    }
    QImage image(width, height, QImage::Format_Indexed8);
    if (image.isNull()) return image;
    const int entries = 1 << bits;
    QList<QRgb> table(entries);
    for (int i = 0; i < entries; ++i) {
        const RgbQuad& q = DibColorTable(d)[i];
        table[i] = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        uchar* to = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            to[x] = static_cast<uchar>(getpixel(d, x, y));
    }
    return image;
}

}  // namespace tessora
