#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "imagelib/codecs/registry.h"
#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"
#include "imagelib/qimageconvert.h"

namespace tessora {
namespace {

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

// The bit depth of indexed pixels as the file declares it, where Qt widens it to 8 bits.
int declaredIndexedBits(std::span<const std::uint8_t> head) {
    if (head.size() >= 30 && head[0] == 'B' && head[1] == 'M') {
        const std::uint32_t headerSize = le32(&head[14]);
        if (headerSize == 12) return le16(&head[24]);
        if (headerSize >= 40) return le16(&head[28]);
    }
    static constexpr std::array<std::uint8_t, 8> kPng{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (head.size() >= 26 && std::equal(kPng.begin(), kPng.end(), head.begin())) {
        const int colorType = head[25];
        if (colorType == 3 || colorType == 0) return head[24];
    }
    return 0;
}

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// Width and height as the file's header declares them, where that is cheap to see; lets a
// tiny file announcing a giant picture be refused before any reader allocates for it.
std::optional<std::pair<std::int64_t, std::int64_t>> declaredSize(
    std::span<const std::uint8_t> head) {
    if (head.size() >= 26 && head[0] == 'B' && head[1] == 'M' && le32(&head[14]) >= 40) {
        const auto width = static_cast<std::int32_t>(le32(&head[18]));
        const auto height = static_cast<std::int32_t>(le32(&head[22]));
        return std::pair{std::int64_t{width},
                         height < 0 ? -std::int64_t{height} : std::int64_t{height}};
    }
    if (head.size() >= 24 && head[0] == 0x89 && head[1] == 'P' && head[12] == 'I' &&
        head[13] == 'H') {
        return std::pair{std::int64_t{be32(&head[16])}, std::int64_t{be32(&head[20])}};
    }
    if (head.size() >= 10 && head[0] == 'G' && head[1] == 'I' && head[2] == 'F') {
        return std::pair{std::int64_t{le16(&head[6])}, std::int64_t{le16(&head[8])}};
    }
    return std::nullopt;
}

ImageError readerError(QImageReader::ImageReaderError error) {
    switch (error) {
        case QImageReader::FileNotFoundError:
            return ImageError::FileNotFound;
        case QImageReader::DeviceError:
            return ImageError::CannotOpen;
        case QImageReader::UnsupportedFormatError:
            return ImageError::UnknownFormat;
        default:
            return ImageError::Damaged;
    }
}

ImageError readWithQt(QIODevice& device, std::span<const std::uint8_t> head, dib* out,
                      const ProgressFn& progress) {
    if (const auto size = declaredSize(head);
        size && CheckImageSize(size->first, size->second, 24) == SizeCheck::TooLarge) {
        return ImageError::TooLarge;
    }
    QImageReader reader(&device);
    // By content, never by a name: Qt takes ".dib" for a bitmap without file header, while
    // ours and everyone else's have one; and a suffix may lie.
    reader.setDecideFormatFromContent(true);
    // Qt's own limit, in megabytes, so its readers refuse what our budget refuses.
    QImageReader::setAllocationLimit(static_cast<int>(PixelBudget() * 4 / (1024 * 1024)) + 1);
    if (!reader.canRead()) return readerError(reader.error());
    const QSize size = reader.size();
    if (size.isValid() && CheckImageSize(size.width(), size.height(), 24) == SizeCheck::TooLarge) {
        return ImageError::TooLarge;
    }
    QImage image;
    if (!reader.read(&image)) {
        const ImageError error = readerError(reader.error());
        return error == ImageError::UnknownFormat ? ImageError::Damaged : error;
    }
    return DibFromQImage(image, declaredIndexedBits(head), out, progress);
}

ImageError readWithOwnCodec(const OwnReader& reader, std::span<const std::uint8_t> bytes, dib* out,
                            const ProgressFn& progress) {
    if (progress) progress(0);
    const ImageError error = reader.read(bytes, out, progress);
    if (progress) progress(0);
    return error;
}

std::span<const std::uint8_t> spanOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

const OwnReader* ownReaderFor(std::span<const std::uint8_t> head) {
    for (const OwnReader& reader : OwnReaders()) {
        if (reader.recognises(head)) return &reader;
    }
    return nullptr;
}

// Our own readers first, each recognising its files by their first bytes; then Qt's, which
// read from the file as they go rather than from a copy of all of it.
ImageError openDib(dib* out, const QString& fileName, const ProgressFn& progress) {
    const QFileInfo info(fileName);
    if (!info.exists()) return ImageError::FileNotFound;
    if (!info.isFile()) return ImageError::CannotOpen;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return ImageError::CannotOpen;
    if (file.size() == 0) return ImageError::EmptyFile;
    const QByteArray head = file.peek(kSniffBytes);
    if (const OwnReader* reader = ownReaderFor(spanOf(head))) {
        const QByteArray bytes = file.readAll();
        return readWithOwnCodec(*reader, spanOf(bytes), out, progress);
    }
    return readWithQt(file, spanOf(head), out, progress);
}

ImageError decodeBytes(std::span<const std::uint8_t> bytes, dib* out, const ProgressFn& progress) {
    if (bytes.empty()) return ImageError::EmptyFile;
    const auto head = bytes.first(std::min(bytes.size(), kSniffBytes));
    if (const OwnReader* reader = ownReaderFor(head))
        return readWithOwnCodec(*reader, bytes, out, progress);
    // The bytes stay where they are; Qt reads them through a buffer that does not own them.
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readWithQt(buffer, head, out, progress);
}

// The record of a failed read: no pixels, and the reason as text in the palette's bytes.
ImageError finishRead(dib* out, ImageError error) {
    if (error != ImageError::None) {
        FreeDib(*out);
        *out = dib{};
        SetDibErrorText(out, ImageErrorText(error));
    }
    return error;
}

}  // namespace

ImageError OpenDib(dib* out, const QString& fileName, int /*reserved*/,
                   const ProgressFn& progress) {
    *out = dib{};
    return finishRead(out, openDib(out, fileName, progress));
}

ImageError openDibFromBytes(dib* out, std::span<const std::uint8_t> bytes,
                            const ProgressFn& progress) {
    *out = dib{};
    return finishRead(out, decodeBytes(bytes, out, progress));
}

}  // namespace tessora
