#include "imagelib/qimageconvert.h"

#include "imagelib/imagesize.h"
#include "imagelib/qimagerows.h"

namespace tessora {

ImageError DibFromQImage(const QImage& image, int fileBits, dib* out, const ProgressFn& progress,
                         AlphaPlane* alpha) {
    *out = dib{};
    if (image.isNull()) return ImageError::Damaged;
    const SizeCheck check = CheckImageSize(image.width(), image.height(), 24);
    if (check == SizeCheck::TooLarge) return ImageError::TooLarge;
    if (check != SizeCheck::Ok) return ImageError::Empty;
    if (progress) progress(0);
    QImageRowSink sink;
    ImageError result = sink.start(image.format(), image.colorTable(), image.width(),
                                   image.height(), fileBits, out, alpha, progress);
    for (int y = 0; y < image.height() && result == ImageError::None; ++y) {
        // A view of the row, no copy.
        QImage row(image.constScanLine(y), image.width(), 1, image.bytesPerLine(), image.format());
        if (!image.colorTable().isEmpty()) row.setColorTable(image.colorTable());
        result = sink.put(y, row);
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
