#include "imagelib/codecs/tga.h"

#include <algorithm>
#include <vector>

#include "imagelib/codecs/byteio.h"
#include "imagelib/codecs/decodeddib.h"
#include "imagelib/codecs/dibaccess.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {
namespace {

constexpr std::size_t kHeaderBytes = 18;
constexpr std::uint8_t kColourMapped = 1;
constexpr std::uint8_t kTrueColour = 2;
constexpr std::uint8_t kGrey = 3;
constexpr std::uint8_t kRunLengthFlag = 8;  // added to the image type
constexpr std::uint8_t kTopToBottom = 0x20;
constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kPacketRun = 0x80;
constexpr std::size_t kMaxPacketPixels = 128;
constexpr char kFooterSignature[] = "TRUEVISION-XFILE.";  // with its NUL: 18 bytes

struct TgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t colourMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t mapFirst = 0;
    std::uint16_t mapLength = 0;
    std::uint8_t mapEntryBits = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t pixelBits = 0;
    std::uint8_t descriptor = 0;

    std::uint8_t baseType() const { return imageType & ~kRunLengthFlag; }
    bool runLengthCoded() const { return (imageType & kRunLengthFlag) != 0; }
    std::size_t pixelBytes() const { return (pixelBits + 7u) / 8u; }
    std::size_t mapEntryBytes() const { return (mapEntryBits + 7u) / 8u; }
};

TgaHeader readHeader(ByteReader& in) {
    TgaHeader h;
    h.idLength = in.u8();
    h.colourMapType = in.u8();
    h.imageType = in.u8();
    h.mapFirst = in.le16();
    h.mapLength = in.le16();
    h.mapEntryBits = in.u8();
    in.skip(4);  // origin on the screen
    h.width = in.le16();
    h.height = in.le16();
    h.pixelBits = in.u8();
    h.descriptor = in.u8();
    return h;
}

bool isColourBits(int bits) {
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

bool isKnownType(std::uint8_t type) {
    const std::uint8_t base = type & ~kRunLengthFlag;
    return base >= kColourMapped && base <= kGrey && (type & ~(kRunLengthFlag | 3)) == 0;
}

ImageError checkHeader(const TgaHeader& h) {
    if (!isKnownType(h.imageType) || h.colourMapType > 1) return ImageError::UnknownFormat;
    if (h.colourMapType == 1 && !isColourBits(h.mapEntryBits)) return ImageError::Damaged;
    switch (h.baseType()) {
        case kColourMapped:
            if (h.colourMapType != 1 || h.mapLength == 0) return ImageError::Damaged;
            return h.pixelBits == 8 ? ImageError::None : ImageError::UnsupportedDepth;
        case kTrueColour:
            return isColourBits(h.pixelBits) ? ImageError::None : ImageError::UnsupportedDepth;
        default:
            return h.pixelBits == 8 ? ImageError::None : ImageError::UnsupportedDepth;
    }
}

bool dataCanHold(std::size_t dataBytes, const TgaHeader& h) {
    const std::uint64_t pixels = std::uint64_t{h.width} * h.height;
    // A run packet of one header byte and one pixel stands for at most 128 pixels.
    const std::uint64_t least = h.runLengthCoded() ? (pixels + kMaxPacketPixels - 1) /
                                                         kMaxPacketPixels * (1 + h.pixelBytes())
                                                   : pixels * h.pixelBytes();
    return dataBytes >= least;
}

bool hasAlpha(const TgaHeader& h) {
    return h.pixelBits == 32 && (h.descriptor & 0x0F) != 0;
}

std::uint8_t overWhite(int channel, int alpha) {
    return static_cast<std::uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

std::uint8_t widen5(int value) {
    return static_cast<std::uint8_t>((value << 3) | (value >> 2));
}

// One stored pixel (blue first, little-endian for 15/16 bits) as red, green, blue.
Rgb colourOf(const std::uint8_t* p, int bits, bool alpha) {
    if (bits == 15 || bits == 16) {
        const int v = p[0] | (p[1] << 8);
        return Rgb{widen5((v >> 10) & 0x1F), widen5((v >> 5) & 0x1F), widen5(v & 0x1F)};
    }
    if (alpha) return Rgb{overWhite(p[2], p[3]), overWhite(p[1], p[3]), overWhite(p[0], p[3])};
    return Rgb{p[2], p[1], p[0]};
}

// Colour map entry k stands for pixel value mapFirst + k; values the map does not cover stay
// black and are refused when a pixel uses them.
void setColourMap(dib& d, const TgaHeader& h, std::span<const std::uint8_t> map) {
    for (std::size_t k = 0; k < h.mapLength && h.mapFirst + k < 256; ++k) {
        setDibColour(d, static_cast<int>(h.mapFirst + k),
                     colourOf(&map[k * h.mapEntryBytes()], h.mapEntryBits, false));
    }
}

void setGreyRamp(dib& d) {
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        setDibColour(d, i, Rgb{v, v, v});
    }
}

// Rows of pixels in file order, plain or in run and raw packets. A packet may go on into the
// next row, as old writers did; what runs past the last row is never written anywhere.
class TgaRowReader {
  public:
    TgaRowReader(std::span<const std::uint8_t> data, const TgaHeader& h)
        : in_(data), coded_(h.runLengthCoded()), pixelBytes_(h.pixelBytes()) {}

    bool next(std::span<std::uint8_t> row) {
        if (!coded_) {
            const auto bytes = in_.take(row.size());
            if (in_.failed()) return false;
            std::copy(bytes.begin(), bytes.end(), row.begin());
            return true;
        }
        for (std::size_t at = 0; at < row.size(); at += pixelBytes_) {
            if (runLeft_ == 0 && rawLeft_ == 0 && !startPacket()) return false;
            if (runLeft_ > 0) {
                std::copy_n(runPixel_, pixelBytes_, row.begin() + static_cast<std::ptrdiff_t>(at));
                --runLeft_;
            } else {
                const auto pixel = in_.take(pixelBytes_);
                if (in_.failed()) return false;
                std::copy(pixel.begin(), pixel.end(),
                          row.begin() + static_cast<std::ptrdiff_t>(at));
                --rawLeft_;
            }
        }
        return true;
    }

  private:
    bool startPacket() {
        const std::uint8_t packet = in_.u8();
        const std::size_t count = (packet & 0x7F) + 1u;
        if ((packet & kPacketRun) == 0) {
            rawLeft_ = count;
            return !in_.failed();
        }
        const auto pixel = in_.take(pixelBytes_);
        if (in_.failed()) return false;
        std::copy(pixel.begin(), pixel.end(), runPixel_);
        runLeft_ = count;
        return true;
    }

    ByteReader in_;
    bool coded_;
    std::size_t pixelBytes_;
    std::size_t runLeft_ = 0;
    std::size_t rawLeft_ = 0;
    std::uint8_t runPixel_[4] = {};
};

ImageError storeRow(dib& d, int y, std::vector<std::uint8_t>& row, const TgaHeader& h,
                    std::vector<std::uint8_t>& pixels, AlphaPlane* plane) {
    const int width = h.width;
    const std::size_t pb = h.pixelBytes();
    if ((h.descriptor & kRightToLeft) != 0) {
        for (int x = 0; x < width / 2; ++x) {
            std::swap_ranges(row.begin() + static_cast<std::ptrdiff_t>(x * pb),
                             row.begin() + static_cast<std::ptrdiff_t>((x + 1) * pb),
                             row.begin() + static_cast<std::ptrdiff_t>((width - 1 - x) * pb));
        }
    }
    if (DibBits(d) == 8) {
        for (int x = 0; x < width; ++x) {
            if (h.baseType() == kColourMapped &&
                (row[x] < h.mapFirst || row[x] >= h.mapFirst + h.mapLength)) {
                return ImageError::Damaged;
            }
        }
        writeIndexRow(d, y, row.data());
        return ImageError::None;
    }
    const bool alpha = hasAlpha(h);
    for (int x = 0; x < width; ++x) {
        const Rgb c = colourOf(&row[x * pb], h.pixelBits, alpha);
        pixels[3 * x] = c.r;
        pixels[3 * x + 1] = c.g;
        pixels[3 * x + 2] = c.b;
    }
    writeRgbRow(d, y, pixels.data());
    if (alpha && plane != nullptr) {
        std::uint8_t* alphaRow = plane->alpha.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x)
            alphaRow[x] = row[x * pb + 3];
    }
    return ImageError::None;
}

ImageError decodeRows(TgaRowReader& rows, const TgaHeader& h, dib& d, const ProgressFn& progress,
                      AlphaPlane* plane) {
    std::vector<std::uint8_t> row(std::size_t{h.width} * h.pixelBytes());
    std::vector<std::uint8_t> pixels(std::size_t{h.width} * 3);
    const bool topDown = (h.descriptor & kTopToBottom) != 0;
    RowProgress report(progress, h.height);
    for (int r = 0; r < h.height; ++r) {
        if (!rows.next(row)) return ImageError::Damaged;
        const int y = topDown ? r : h.height - 1 - r;
        const ImageError error = storeRow(d, y, row, h, pixels, plane);
        if (error != ImageError::None) return error;
        report.rowDone(r);
    }
    return ImageError::None;
}

// --- Writing ---

void writeHeader(ByteSink& sink, const dib& d, bool indexed) {
    const int entries = indexed ? 1 << DibBits(d) : 0;
    sink.u8(0);  // no identification field
    sink.u8(indexed ? 1 : 0);
    sink.u8(static_cast<std::uint8_t>((indexed ? kColourMapped : kTrueColour) + kRunLengthFlag));
    sink.le16(0);
    sink.le16(static_cast<std::uint32_t>(entries));
    sink.u8(indexed ? 24 : 0);
    sink.le16(0);
    sink.le16(0);
    sink.le16(static_cast<std::uint32_t>(DibWidth(d)));
    sink.le16(static_cast<std::uint32_t>(DibHeight(d)));
    sink.u8(indexed ? 8 : 24);
    sink.u8(0);  // bottom-up, left to right, no alpha
    for (const Rgb& c : dibPalette(d)) {
        sink.u8(c.b);
        sink.u8(c.g);
        sink.u8(c.r);
    }
}

std::size_t runAt(std::span<const std::uint8_t> row, std::size_t pixel, std::size_t pb) {
    const std::size_t pixels = row.size() / pb;
    const std::uint8_t* first = row.data() + pixel * pb;
    std::size_t run = 1;
    while (pixel + run < pixels && run < kMaxPacketPixels &&
           std::equal(first, first + pb, first + run * pb)) {
        ++run;
    }
    return run;
}

// Run and raw packets for one row; packets never cross the row's end.
void encodeRow(std::span<const std::uint8_t> row, std::size_t pb, std::vector<std::uint8_t>& out) {
    const std::size_t pixels = row.size() / pb;
    const std::size_t worthARun = pb == 1 ? 3 : 2;
    for (std::size_t i = 0; i < pixels;) {
        const std::size_t run = runAt(row, i, pb);
        if (run >= worthARun) {
            out.push_back(static_cast<std::uint8_t>(kPacketRun | (run - 1)));
            out.insert(out.end(), row.data() + i * pb, row.data() + (i + 1) * pb);
            i += run;
            continue;
        }
        std::size_t end = i;
        while (end < pixels && end - i < kMaxPacketPixels && runAt(row, end, pb) < worthARun)
            ++end;
        out.push_back(static_cast<std::uint8_t>(end - i - 1));
        out.insert(out.end(), row.data() + i * pb, row.data() + end * pb);
        i = end;
    }
}

void writeFooter(ByteSink& sink) {
    sink.le32(0);  // no extension area
    sink.le32(0);  // no developer area
    sink.bytes(std::span(reinterpret_cast<const std::uint8_t*>(kFooterSignature),
                         sizeof kFooterSignature));
}

}  // namespace

bool recogniseTga(std::span<const std::uint8_t> head) {
    if (head.size() < kHeaderBytes) return false;
    ByteReader in(head);
    const TgaHeader h = readHeader(in);
    if (h.colourMapType > 1 || !isKnownType(h.imageType) || (h.descriptor & 0xC0) != 0)
        return false;
    if (h.colourMapType == 1 && !isColourBits(h.mapEntryBits)) return false;
    if (h.baseType() == kColourMapped && h.colourMapType != 1) return false;
    return h.pixelBits == 8 || isColourBits(h.pixelBits);
}

ImageError readTga(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress) {
    return readTgaWithAlpha(file, out, nullptr, progress);
}

ImageError readTgaWithAlpha(std::span<const std::uint8_t> file, dib* out, AlphaPlane* alpha,
                            const ProgressFn& progress) {
    ByteReader in(file);
    const TgaHeader header = readHeader(in);
    if (in.failed()) return ImageError::Damaged;
    ImageError error = checkHeader(header);
    if (error != ImageError::None) return error;
    in.skip(header.idLength);
    const auto map =
        in.take(header.colourMapType == 1 ? header.mapLength * header.mapEntryBytes() : 0);
    if (in.failed() || !dataCanHold(in.remaining(), header)) return ImageError::Damaged;
    DecodedDib decoded;
    error =
        decoded.allocate(header.width, header.height, header.baseType() == kTrueColour ? 24 : 8);
    if (error != ImageError::None) return error;
    if (header.baseType() == kColourMapped) setColourMap(decoded.image(), header, map);
    if (header.baseType() == kGrey) setGreyRamp(decoded.image());
    AlphaPlane plane;
    if (alpha != nullptr && hasAlpha(header)) {
        plane = AlphaPlane{header.width, header.height,
                           std::vector<std::uint8_t>(std::size_t{header.width} * header.height)};
    }
    TgaRowReader rows(file.subspan(in.position()), header);
    error =
        decodeRows(rows, header, decoded.image(), progress, plane.alpha.empty() ? nullptr : &plane);
    if (error == ImageError::None && alpha != nullptr) *alpha = std::move(plane);
    if (error == ImageError::None) decoded.handOver(out);
    return error;
}

ImageError writeTga(const dib& d, QIODevice& device, const ProgressFn& progress) {
    const int width = DibWidth(d);
    const int height = DibHeight(d);
    if (width > 0xFFFF || height > 0xFFFF) return ImageError::TooLargeForFormat;
    const bool indexed = isIndexedDib(d);
    const std::size_t pb = indexed ? 1 : 3;
    ByteSink sink(device);
    writeHeader(sink, d, indexed);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * pb);
    std::vector<std::uint8_t> packed;
    RowProgress rows(progress, height);
    for (int r = 0; r < height && sink.ok(); ++r) {
        const int y = height - 1 - r;  // bottom row first
        if (indexed) {
            readIndexRow(d, y, row.data());
        } else {
            readRgbRow(d, y, row.data());
            for (std::size_t x = 0; x < row.size(); x += 3)
                std::swap(row[x], row[x + 2]);  // blue first
        }
        packed.clear();
        encodeRow(row, pb, packed);
        sink.bytes(packed);
        rows.rowDone(r);
    }
    writeFooter(sink);
    return sink.flush() ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace tessora
