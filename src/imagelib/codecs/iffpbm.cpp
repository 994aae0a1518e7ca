#include "imagelib/codecs/iffpbm.h"

#include <algorithm>
#include <vector>

#include "imagelib/codecs/decodeddib.h"
#include "imagelib/codecs/iff.h"
#include "imagelib/codecs/indexedrows.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {
namespace {

constexpr int kChunkyPlanes = 8;

// Readers disagree whether a row of odd width carries a pad byte; netpbm's reader refuses it,
// so we write none, and read both: padded first, unpadded when the padded reading runs out.
std::size_t paddedRowBytes(int width) {
    return static_cast<std::size_t>(width) + (width & 1);
}
std::size_t unpaddedRowBytes(int width) {
    return static_cast<std::size_t>(width);
}

ImageError checkPbm(const IffPicture& picture) {
    const IffBitmapHeader& h = picture.header;
    if (h.compression != kIffUncompressed && h.compression != kIffByteRun1)
        return ImageError::UnknownFormat;
    if (h.planes == 0 || h.planes > kChunkyPlanes) return ImageError::UnsupportedDepth;
    if (h.masking == kIffMaskPlane)
        return ImageError::UnknownFormat;  // no layout is defined for it
    if (!picture.hasColourMap) return ImageError::Damaged;
    return ImageError::None;
}

ImageError decodePbm(const IffPicture& picture, std::size_t rowBytes, dib& d,
                     const ProgressFn& progress) {
    const int width = picture.header.width;
    const int height = picture.header.height;
    std::vector<std::uint8_t> row(rowBytes);
    IffBodyReader body(picture);
    RowProgress rows(progress, height);
    for (int y = 0; y < height; ++y) {
        if (!body.next(row)) return ImageError::Damaged;
        const bool outside = std::any_of(row.begin(), row.begin() + width, [&](std::uint8_t index) {
            return index >= picture.colours.size();
        });
        if (outside) return ImageError::Damaged;
        writeIndexRow(d, y, row.data());
        rows.rowDone(y);
    }
    return ImageError::None;
}

}  // namespace

bool recogniseIffPbm(std::span<const std::uint8_t> head) {
    return recogniseIffForm(head, "PBM ");
}

ImageError readIffPbm(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress) {
    IffPicture picture;
    ImageError error = parseIffPicture(file, "PBM ", &picture);
    if (error == ImageError::None) error = checkPbm(picture);
    if (error != ImageError::None) return error;
    const int width = picture.header.width;
    if (!iffBodyCanHold(picture, unpaddedRowBytes(width))) return ImageError::Damaged;
    DecodedDib decoded;
    error = decoded.allocate(picture.header.width, picture.header.height, 8);
    if (error != ImageError::None) return error;
    for (std::size_t i = 0; i < picture.colours.size(); ++i) {
        setDibColour(decoded.image(), static_cast<int>(i), picture.colours[i]);
    }
    error = decodePbm(picture, paddedRowBytes(width), decoded.image(), progress);
    if (error == ImageError::Damaged && (width & 1) != 0) {
        error = decodePbm(picture, unpaddedRowBytes(width), decoded.image(), progress);
    }
    if (error == ImageError::None) decoded.handOver(out);
    return error;
}

ImageError writeIffPbm(const dib& d, QIODevice& device, const ProgressFn& progress) {
    if (!fitsIff(d)) return ImageError::TooLargeForFormat;
    IndexedRows indexed(d);
    const int width = DibWidth(d);
    const int height = DibHeight(d);
    ByteSink sink(device);
    IffChunkWriter form(sink, "FORM");
    sink.bytes(std::span(reinterpret_cast<const std::uint8_t*>("PBM "), 4));
    writeIffBitmapHeader(
        sink, IffBitmapHeader{static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height),
                              kChunkyPlanes, 0, kIffByteRun1});
    writeIffColourMap(sink, indexed.palette(), kChunkyPlanes);
    IffChunkWriter body(sink, "BODY");
    std::vector<std::uint8_t> row(unpaddedRowBytes(width));
    std::vector<std::uint8_t> packed;
    RowProgress rows(progress, height);
    for (int y = 0; y < height && sink.ok(); ++y) {
        indexed.row(y, row.data());
        packed.clear();
        encodeByteRun1(row, packed);
        sink.bytes(packed);
        rows.rowDone(y);
    }
    body.end();
    form.end();
    return sink.flush() ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace tessora
