#include "imagelib/codecs/ilbm.h"

#include <algorithm>
#include <vector>

#include "imagelib/codecs/decodeddib.h"
#include "imagelib/codecs/iff.h"
#include "imagelib/codecs/indexedrows.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {
namespace {

constexpr int kTrueColourPlanes = 24;

std::size_t planeLineBytes(int width) {
    return static_cast<std::size_t>((width + 15) / 16) * 2;
}

int dibBitsForPlanes(int planes) {
    if (planes == 1) return 1;
    if (planes <= 4) return 4;
    return planes <= 8 ? 8 : 24;
}

// Extra-half-brite pictures have 32 colours in the map and 32 more at half their brightness.
void addHalfBrightColours(IffPicture& picture) {
    if ((picture.viewModes & kCamgHalfBright) == 0 || picture.header.planes != 6 ||
        picture.colours.size() > 32) {
        return;
    }
    picture.colours.resize(64);
    for (std::size_t i = 0; i < 32; ++i) {
        const Rgb c = picture.colours[i];
        picture.colours[i + 32] =
            Rgb{static_cast<std::uint8_t>(c.r / 2), static_cast<std::uint8_t>(c.g / 2),
                static_cast<std::uint8_t>(c.b / 2)};
    }
}

ImageError checkIlbm(const IffPicture& picture) {
    const IffBitmapHeader& h = picture.header;
    if (h.compression != kIffUncompressed && h.compression != kIffByteRun1)
        return ImageError::UnknownFormat;
    if (h.planes == 0 || (h.planes > 8 && h.planes != kTrueColourPlanes))
        return ImageError::UnsupportedDepth;
    if (h.planes <= 8 && (picture.viewModes & kCamgHam) != 0) return ImageError::UnsupportedDepth;
    if (h.planes <= 8 && !picture.hasColourMap) return ImageError::Damaged;
    return ImageError::None;
}

// Gathers bit x of every plane line into one value per pixel (plane 0 is the lowest bit).
void planesToValues(const std::uint8_t* lines, std::size_t lineBytes, int planes, int width,
                    std::uint32_t* values) {
    std::fill_n(values, width, 0u);
    for (int p = 0; p < planes; ++p) {
        const std::uint8_t* line = lines + static_cast<std::size_t>(p) * lineBytes;
        for (int x = 0; x < width; ++x)
            values[x] |= ((line[x >> 3] >> (7 - (x & 7))) & 1u) << p;
    }
}

ImageError storeRow(const dib& d, int y, const std::uint32_t* values, const IffPicture& picture,
                    std::vector<std::uint8_t>& bytes) {
    const int width = DibWidth(d);
    if (picture.header.planes == kTrueColourPlanes) {
        for (int x = 0; x < width; ++x) {
            bytes[3 * x] = static_cast<std::uint8_t>(values[x]);
            bytes[3 * x + 1] = static_cast<std::uint8_t>(values[x] >> 8);
            bytes[3 * x + 2] = static_cast<std::uint8_t>(values[x] >> 16);
        }
        writeRgbRow(d, y, bytes.data());
        return ImageError::None;
    }
    for (int x = 0; x < width; ++x) {
        if (values[x] >= picture.colours.size()) return ImageError::Damaged;
        bytes[x] = static_cast<std::uint8_t>(values[x]);
    }
    writeIndexRow(d, y, bytes.data());
    return ImageError::None;
}

ImageError decodeIlbm(const IffPicture& picture, dib& d, const ProgressFn& progress) {
    const int width = picture.header.width;
    const int height = picture.header.height;
    const int planes = picture.header.planes;
    const std::size_t lineBytes = planeLineBytes(width);
    const int storedPlanes = planes + (picture.header.masking == kIffMaskPlane ? 1 : 0);
    std::vector<std::uint8_t> row(lineBytes * static_cast<std::size_t>(storedPlanes));
    std::vector<std::uint32_t> values(static_cast<std::size_t>(width));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * 3);
    IffBodyReader body(picture);
    RowProgress rows(progress, height);
    for (int y = 0; y < height; ++y) {
        if (!body.next(row)) return ImageError::Damaged;
        planesToValues(row.data(), lineBytes, planes, width, values.data());
        const ImageError error = storeRow(d, y, values.data(), picture, bytes);
        if (error != ImageError::None) return error;
        rows.rowDone(y);
    }
    return ImageError::None;
}

// Splits one value per pixel into plane lines, plane 0 first.
void valuesToPlanes(const std::uint32_t* values, int width, int planes, std::size_t lineBytes,
                    std::uint8_t* lines) {
    std::fill_n(lines, lineBytes * static_cast<std::size_t>(planes), 0);
    for (int p = 0; p < planes; ++p) {
        std::uint8_t* line = lines + static_cast<std::size_t>(p) * lineBytes;
        for (int x = 0; x < width; ++x) {
            if (((values[x] >> p) & 1u) != 0)
                line[x >> 3] = static_cast<std::uint8_t>(line[x >> 3] | (0x80 >> (x & 7)));
        }
    }
}

// Picture row y as one value per pixel: a colour index, or red | green << 8 | blue << 16.
class IlbmRowValues {
  public:
    IlbmRowValues(const dib& d, IndexedRows& indexed, bool trueColour)
        : image_(d),
          indexed_(indexed),
          trueColour_(trueColour),
          bytes_(static_cast<std::size_t>(DibWidth(d)) * 3) {}

    void row(int y, std::uint32_t* values) {
        const int width = DibWidth(image_);
        if (trueColour_) {
            readRgbRow(image_, y, bytes_.data());
            for (int x = 0; x < width; ++x) {
                values[x] = bytes_[3 * x] | (std::uint32_t{bytes_[3 * x + 1]} << 8) |
                            (std::uint32_t{bytes_[3 * x + 2]} << 16);
            }
            return;
        }
        indexed_.row(y, bytes_.data());
        for (int x = 0; x < width; ++x)
            values[x] = bytes_[x];
    }

  private:
    const dib& image_;
    IndexedRows& indexed_;
    bool trueColour_;
    std::vector<std::uint8_t> bytes_;
};

void writeBody(ByteSink& sink, const dib& d, IlbmRowValues& source, int planes,
               const ProgressFn& progress) {
    IffChunkWriter body(sink, "BODY");
    const int width = DibWidth(d);
    const int height = DibHeight(d);
    const std::size_t lineBytes = planeLineBytes(width);
    std::vector<std::uint32_t> values(static_cast<std::size_t>(width));
    std::vector<std::uint8_t> lines(lineBytes * static_cast<std::size_t>(planes));
    std::vector<std::uint8_t> packed;
    RowProgress rows(progress, height);
    for (int y = 0; y < height && sink.ok(); ++y) {
        source.row(y, values.data());
        valuesToPlanes(values.data(), width, planes, lineBytes, lines.data());
        packed.clear();
        for (int p = 0; p < planes; ++p) {
            encodeByteRun1(
                std::span(lines).subspan(static_cast<std::size_t>(p) * lineBytes, lineBytes),
                packed);
        }
        sink.bytes(packed);
        rows.rowDone(y);
    }
    body.end();
}

}  // namespace

bool recogniseIlbm(std::span<const std::uint8_t> head) {
    return recogniseIffForm(head, "ILBM");
}

ImageError readIlbm(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress) {
    IffPicture picture;
    ImageError error = parseIffPicture(file, "ILBM", &picture);
    if (error == ImageError::None) error = checkIlbm(picture);
    if (error != ImageError::None) return error;
    addHalfBrightColours(picture);
    const IffBitmapHeader& h = picture.header;
    const int storedPlanes = h.planes + (h.masking == kIffMaskPlane ? 1 : 0);
    if (!iffBodyCanHold(picture,
                        planeLineBytes(h.width) * static_cast<std::uint64_t>(storedPlanes))) {
        return ImageError::Damaged;
    }
    DecodedDib decoded;
    error = decoded.allocate(h.width, h.height, dibBitsForPlanes(h.planes));
    if (error != ImageError::None) return error;
    const std::size_t colours =
        std::min<std::size_t>(picture.colours.size(), std::size_t{1} << DibBits(decoded.image()));
    for (std::size_t i = 0; h.planes <= 8 && i < colours; ++i) {
        setDibColour(decoded.image(), static_cast<int>(i), picture.colours[i]);
    }
    error = decodeIlbm(picture, decoded.image(), progress);
    if (error == ImageError::None) decoded.handOver(out);
    return error;
}

ImageError writeIlbm(const dib& d, QIODevice& device, const ProgressFn& progress) {
    if (!fitsIff(d)) return ImageError::TooLargeForFormat;
    IndexedRows indexed(d);
    const bool trueColour = !indexed.exact();
    const int planes = trueColour ? kTrueColourPlanes : indexed.bits();
    IlbmRowValues source(d, indexed, trueColour);
    ByteSink sink(device);
    IffChunkWriter form(sink, "FORM");
    sink.bytes(std::span(reinterpret_cast<const std::uint8_t*>("ILBM"), 4));
    writeIffBitmapHeader(sink, IffBitmapHeader{static_cast<std::uint16_t>(DibWidth(d)),
                                               static_cast<std::uint16_t>(DibHeight(d)),
                                               static_cast<std::uint8_t>(planes), 0, kIffByteRun1});
    if (!trueColour) writeIffColourMap(sink, indexed.palette(), planes);
    writeBody(sink, d, source, planes, progress);
    form.end();
    return sink.flush() ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace tessora
