#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <array>
#include <new>
#include <optional>
#include <vector>

#include "imagelib/codecs/jpegread.h"
#include "imagelib/codecs/pngread.h"
#include "imagelib/codecs/registry.h"
#include "imagelib/headerpeek.h"
#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"
#include "imagelib/qimageconvert.h"
#include "imagelib/qtdecodecost.h"
#include "imagelib/regularfile.h"

namespace tessora {
namespace {

static_assert(kPeekBytes <= kSniffBytes, "the head read for our readers serves Qt's checks too");
static_assert(kSniffBytes <= kPlanHeadBytes, "one head serves recognising and planning");

// The formats the open filter offers. Qt has readers for more (SVG, MNG, icons, X bitmaps)
// that a file of any name would otherwise reach, since the content decides: a drawing that
// renders for minutes or an old decoder nobody asked for is no risk worth taking.
bool isOfferedQtFormat(const QByteArray& format) {
    static constexpr std::array<const char*, 10> kOffered = {"bmp", "png",  "jpeg", "gif", "tiff",
                                                             "tga", "webp", "pbm",  "pgm", "ppm"};
    return std::any_of(kOffered.begin(), kOffered.end(),
                       [&](const char* offered) { return format == offered; });
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

// What the header alone shows to be wrong or too large, before Qt allocates anything.
ImageError refuseByHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    const auto size = declaredSize(head);
    if (size && CheckImageSize(size->first, size->second, 24) == SizeCheck::TooLarge)
        return ImageError::TooLarge;
    return checkPlainBitmap(head, fileSize);
}

// PNG and JPEG through the libraries under Qt's readers, row by row into the record, so that
// Qt's whole picture never stands beside it; nullopt for the files left to Qt.
std::optional<ImageError> readRowByRow(QIODevice& device, std::span<const std::uint8_t> head,
                                       dib* out, AlphaPlane* alpha, const ProgressFn& progress) {
    if (recognisePng(head))
        return readPngRows(device, declaredIndexedBits(head), out, alpha, progress);
    if (recogniseJpeg(head)) return readJpegRows(device, out, progress);
    return std::nullopt;
}

ImageError readWithQt(QIODevice& device, std::span<const std::uint8_t> head, dib* out,
                      AlphaPlane* alpha, const ProgressFn& progress) {
    if (const ImageError error = refuseByHeader(head, static_cast<std::uint64_t>(device.size()));
        error != ImageError::None) {
        return error;
    }
    // Qt's own limit, in megabytes, so its readers refuse what our budget refuses.
    const std::uint64_t limit = std::min(PixelBudget() * 4, LoadMemoryBudget());
    QImageReader::setAllocationLimit(static_cast<int>(limit / (1024 * 1024)) + 1);
    if (const auto result = readRowByRow(device, head, out, alpha, progress)) return *result;
    QImageReader reader(&device);
    // By content, never by a name: Qt takes ".dib" for a bitmap without file header, while
    // ours and everyone else's have one; and a suffix may lie.
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) return readerError(reader.error());
    if (!isOfferedQtFormat(reader.format())) return ImageError::UnknownFormat;
    QSize size = reader.size();
    if (size.isValid() && CheckImageSize(size.width(), size.height(), 24) == SizeCheck::TooLarge) {
        return ImageError::TooLarge;
    }
    // Qt's GIF reader tells the first frame's size; the screen it paints on may be larger.
    if (const auto declared = declaredSize(head);
        declared && (!size.isValid() || std::int64_t{size.width()} * size.height() <
                                            declared->first * declared->second)) {
        size = QSize(static_cast<int>(declared->first), static_cast<int>(declared->second));
    }
    // Asked before decoding: Qt's image and our record exist side by side for a moment.
    if (size.isValid() &&
        QtDecodeCost(reader, size, device.peek(kJpegMarkerScanBytes)) > LoadMemoryBudget()) {
        return ImageError::TooLargeForMemory;
    }
    QImage image;
    if (!reader.read(&image)) {
        const ImageError error = readerError(reader.error());
        return error == ImageError::UnknownFormat ? ImageError::Damaged : error;
    }
    return DibFromQImage(image, declaredIndexedBits(head), out, progress, alpha);
}

ImageError readWithOwnCodec(const OwnReader& reader, std::span<const std::uint8_t> bytes, dib* out,
                            AlphaPlane* alpha, const ProgressFn& progress) {
    if (progress) progress(0);
    const ImageError error = alpha != nullptr && reader.readWithAlpha != nullptr
                                 ? reader.readWithAlpha(bytes, out, alpha, progress)
                                 : reader.read(bytes, out, progress);
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

ImageError openError(FileOpenError error) {
    switch (error) {
        case FileOpenError::None:
            return ImageError::None;
        case FileOpenError::NotFound:
            return ImageError::FileNotFound;
        case FileOpenError::NotRegular:
            return ImageError::NotRegularFile;
        case FileOpenError::CannotOpen:
            break;
    }
    return ImageError::CannotOpen;
}

// The part of the file our reader can use: its planned prefix and closing bytes, one after the
// other, as one span. Never the whole of a file that is longer than its picture needs.
ImageError readPlanned(QFile& file, std::span<const std::uint8_t> head, const OwnReader& reader,
                       std::vector<std::uint8_t>& bytes) {
    const auto fileSize = static_cast<std::uint64_t>(file.size());
    const ReadPlan plan = reader.plan(head, fileSize);
    bytes.resize(plan.prefix + plan.tail);  // std::bad_alloc is caught by the caller
    if (readAt(file, 0, bytes.data(), plan.prefix) != static_cast<std::int64_t>(plan.prefix) ||
        readAt(file, fileSize - plan.tail, bytes.data() + plan.prefix, plan.tail) !=
            static_cast<std::int64_t>(plan.tail)) {
        return ImageError::CannotOpen;
    }
    return ImageError::None;
}

// Our own readers first, each recognising its files by their first bytes; then Qt's, which
// read from the file as they go rather than from a copy of all of it.
ImageError openDib(dib* out, AlphaPlane* alpha, const QString& fileName,
                   const ProgressFn& progress) {
    QFile file;
    if (const FileOpenError error = openRegularFile(fileName, file); error != FileOpenError::None)
        return openError(error);
    if (file.size() == 0) return ImageError::EmptyFile;
    const QByteArray head = file.peek(kPlanHeadBytes);
    if (const OwnReader* reader = ownReaderFor(spanOf(head).first(
            std::min<std::size_t>(kSniffBytes, static_cast<std::size_t>(head.size()))))) {
        std::vector<std::uint8_t> bytes;
        if (const ImageError error = readPlanned(file, spanOf(head), *reader, bytes);
            error != ImageError::None) {
            return error;
        }
        return readWithOwnCodec(*reader, bytes, out, alpha, progress);
    }
    return readWithQt(file,
                      spanOf(head).first(std::min<std::size_t>(
                          kSniffBytes, static_cast<std::size_t>(head.size()))),
                      out, alpha, progress);
}

// Every allocation of a reader, ours or Qt's, may fail; none of them may end the program.
template <typename Read>
ImageError guardedRead(Read&& read) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        return ImageError::OutOfMemory;
    }
}

ImageError decodeBytes(std::span<const std::uint8_t> bytes, dib* out, AlphaPlane* alpha,
                       const ProgressFn& progress) {
    if (bytes.empty()) return ImageError::EmptyFile;
    const auto head = bytes.first(std::min(bytes.size(), kSniffBytes));
    if (const OwnReader* reader = ownReaderFor(head))
        return readWithOwnCodec(*reader, bytes, out, alpha, progress);
    // The bytes stay where they are; Qt reads them through a buffer that does not own them.
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readWithQt(buffer, head, out, alpha, progress);
}

// The record of a failed read: no pixels, and the reason as text in the palette's bytes.
ImageError finishRead(dib* out, AlphaPlane* alpha, ImageError error) {
    if (alpha != nullptr && (error != ImageError::None || alpha->alpha.empty()))
        *alpha = AlphaPlane{};
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
    return OpenDibWithAlpha(out, nullptr, fileName, progress);
}

ImageError openDibFromBytes(dib* out, std::span<const std::uint8_t> bytes,
                            const ProgressFn& progress) {
    return openDibFromBytesWithAlpha(out, nullptr, bytes, progress);
}

ImageError OpenDibWithAlpha(dib* out, AlphaPlane* alpha, const QString& fileName,
                            const ProgressFn& progress) {
    *out = dib{};
    return finishRead(out, alpha,
                      guardedRead([&] { return openDib(out, alpha, fileName, progress); }));
}

ImageError openDibFromBytesWithAlpha(dib* out, AlphaPlane* alpha,
                                     std::span<const std::uint8_t> bytes,
                                     const ProgressFn& progress) {
    *out = dib{};
    return finishRead(out, alpha,
                      guardedRead([&] { return decodeBytes(bytes, out, alpha, progress); }));
}

}  // namespace tessora
