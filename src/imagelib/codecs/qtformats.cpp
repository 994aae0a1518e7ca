#include "imagelib/codecs/qtformats.h"

#include <QBuffer>
#include <QImageWriter>

#include "imagelib/qimageconvert.h"

namespace tessora {
namespace {

// Chart text and one-bead cells stay sharp at this quality.
constexpr int kJpegQuality = 92;
// LZW in Qt's TIFF writer: charts are large areas of one colour.
constexpr int kTiffLzw = 1;

}  // namespace

ImageError writeWithQt(const dib& d, QIODevice& device, QtFormat format,
                       const ProgressFn& progress) {
    const QImage image = QImageFromDib(d);
    if (image.isNull()) return ImageError::OutOfMemory;
    if (progress) progress(50);
    // Encoded in memory first: Qt's TIFF writer answers success even when the device refused
    // bytes, so the one write to the device is checked here instead.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, format == QtFormat::Jpeg   ? "jpeg"
                                  : format == QtFormat::Tiff ? "tiff"
                                                             : "png");
    if (format == QtFormat::Jpeg) writer.setQuality(kJpegQuality);
    if (format == QtFormat::Tiff) writer.setCompression(kTiffLzw);
    if (!writer.write(image)) return ImageError::CannotWrite;
    const QByteArray& bytes = encoded.data();
    if (device.write(bytes) != bytes.size()) return ImageError::CannotWrite;
    if (progress) progress(100);
    return ImageError::None;
}

}  // namespace tessora
