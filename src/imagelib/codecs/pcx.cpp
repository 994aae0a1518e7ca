#include "imagelib/codecs/pcx.h"

#include <algorithm>
#include <array>
#include <vector>

#include "imagelib/codecs/byteio.h"
#include "imagelib/codecs/decodeddib.h"
#include "imagelib/codecs/indexedrows.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {
namespace {

constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kVersion5 = 5;
constexpr std::uint8_t kRunLengthCoded = 1;
constexpr std::size_t kHeaderBytes = 128;
constexpr std::uint8_t kPaletteMarker = 0x0C;
constexpr std::size_t kClosingPaletteBytes = 1 + 256 * 3;
constexpr int kMaxRun = 63;
constexpr std::uint8_t kRunFlag = 0xC0;

struct PcxHeader {
    std::uint8_t version = 0;
    std::uint8_t encoding = 0;
    std::uint8_t bitsPerPixel = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::array<Rgb, 16> colours{};
    std::uint8_t planes = 0;
    std::uint16_t bytesPerLine = 0;
};

PcxHeader readHeader(ByteReader& in) {
    PcxHeader h;
    in.skip(1);
    h.version = in.u8();
    h.encoding = in.u8();
    h.bitsPerPixel = in.u8();
    const std::int64_t xMin = in.le16(), yMin = in.le16(), xMax = in.le16(), yMax = in.le16();
    h.width = xMax - xMin + 1;
    h.height = yMax - yMin + 1;
    in.skip(4);  // resolution
    for (Rgb& c : h.colours)
        c = Rgb{in.u8(), in.u8(), in.u8()};
    in.skip(1);
    h.planes = in.u8();
    h.bytesPerLine = in.le16();
    in.skip(kHeaderBytes - in.position());
    return h;
}

// The depth of the image a layout of bits per pixel and planes becomes, 0 for none we read.
// Bits and planes are compared as a pair: folding them into one number let a plane count above
// 8 pass for another layout (4 bits in 33 planes for 8 bits in one).
int dibBitsFor(const PcxHeader& h) {
    const int bits = h.bitsPerPixel;
    const int planes = h.planes;
    if (bits == 1 && planes == 1) return 1;
    if (bits == 1 && planes >= 2 && planes <= 4) return 4;
    if ((bits == 2 || bits == 4) && planes == 1) return 4;
    if (bits == 8 && planes == 1) return 8;
    if (bits == 8 && (planes == 3 || planes == 4)) return 24;
    return 0;
}

bool hasClosingPalette(const PcxHeader& h) {
    return h.bitsPerPixel == 8 && h.planes == 1;
}

// Scan lines of planes × bytes per line, run-length coded or plain. A run may go on into the
// next line, as some writers do; what runs past the last line is never written anywhere.
class PcxLineReader {
  public:
    PcxLineReader(std::span<const std::uint8_t> data, bool coded) : in_(data), coded_(coded) {}

    bool next(std::span<std::uint8_t> line) {
        if (!coded_) {
            const auto bytes = in_.take(line.size());
            if (in_.failed()) return false;
            std::copy(bytes.begin(), bytes.end(), line.begin());
            return true;
        }
        for (std::size_t done = 0; done < line.size();) {
            if (runLeft_ == 0) {
                if (in_.remaining() == 0) return false;
                const std::uint8_t b = in_.u8();
                if ((b & kRunFlag) != kRunFlag) {
                    line[done++] = b;
                    continue;
                }
                if (in_.remaining() == 0) return false;
                runLeft_ = b & 0x3F;
                runValue_ = in_.u8();
                continue;
            }
            const std::size_t n = std::min(runLeft_, line.size() - done);
            std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(done), n, runValue_);
            runLeft_ -= n;
            done += n;
        }
        return true;
    }

  private:
    ByteReader in_;
    bool coded_;
    std::size_t runLeft_ = 0;
    std::uint8_t runValue_ = 0;
};

bool dataCanHold(std::size_t dataBytes, const PcxHeader& h) {
    const std::uint64_t unpacked =
        std::uint64_t{h.bytesPerLine} * h.planes * static_cast<std::uint64_t>(h.height);
    // A run of two bytes unpacks to at most 63 bytes; a rest of one byte may be a single literal.
    const std::uint64_t least =
        h.encoding == kRunLengthCoded
            ? unpacked / kMaxRun * 2 + std::min<std::uint64_t>(unpacked % kMaxRun, 2)
            : unpacked;
    return dataBytes >= least;
}

ImageError checkHeader(const PcxHeader& h, std::size_t dataBytes) {
    if (h.encoding > kRunLengthCoded || h.width <= 0 || h.height <= 0) return ImageError::Damaged;
    if (dibBitsFor(h) == 0) return ImageError::UnsupportedDepth;
    const std::uint64_t lineBits = static_cast<std::uint64_t>(h.width) * h.bitsPerPixel;
    if (std::uint64_t{h.bytesPerLine} * 8 < lineBits) return ImageError::Damaged;
    if (!dataCanHold(dataBytes, h)) return ImageError::Damaged;
    return ImageError::None;
}

void setColours(dib& d, const PcxHeader& h, std::span<const std::uint8_t> closingPalette) {
    if (!isIndexedDib(d)) return;
    if (DibBits(d) == 8) {
        for (int i = 0; i < 256; ++i) {
            setDibColour(
                d, i,
                Rgb{closingPalette[3 * i], closingPalette[3 * i + 1], closingPalette[3 * i + 2]});
        }
        return;
    }
    const int entries = DibBits(d) == 1 ? 2 : 16;
    for (int i = 0; i < entries; ++i)
        setDibColour(d, i, h.colours[i]);
    // Many monochrome files leave the header's colours empty: black and white is meant.
    if (DibBits(d) == 1 && h.colours[0] == h.colours[1]) {
        setDibColour(d, 0, Rgb{0, 0, 0});
        setDibColour(d, 1, Rgb{255, 255, 255});
    }
}

// One scan line (all planes) into one colour index per pixel.
void lineToIndices(const std::uint8_t* line, const PcxHeader& h, int width, std::uint8_t* indices) {
    const std::size_t bpl = h.bytesPerLine;
    for (int x = 0; x < width; ++x) {
        switch (h.bitsPerPixel) {
            case 8:
                indices[x] = line[x];
                break;
            case 4:
                indices[x] = static_cast<std::uint8_t>((x & 1) == 0 ? line[x >> 1] >> 4
                                                                    : line[x >> 1] & 0x0F);
                break;
            case 2:
                indices[x] = static_cast<std::uint8_t>((line[x >> 2] >> (6 - 2 * (x & 3))) & 3);
                break;
            default: {
                std::uint8_t index = 0;
                for (int p = 0; p < h.planes; ++p)
                    index |= ((line[p * bpl + (x >> 3)] >> (7 - (x & 7))) & 1) << p;
                indices[x] = index;
                break;
            }
        }
    }
}

void lineToRgb(const std::uint8_t* line, std::size_t bpl, int width, std::uint8_t* rgb) {
    for (int x = 0; x < width; ++x) {
        rgb[3 * x] = line[x];
        rgb[3 * x + 1] = line[bpl + x];
        rgb[3 * x + 2] = line[2 * bpl + x];
    }
}

ImageError decodeLines(PcxLineReader& lines, const PcxHeader& h, dib& d,
                       const ProgressFn& progress) {
    const int width = DibWidth(d);
    std::vector<std::uint8_t> line(std::size_t{h.bytesPerLine} * h.planes);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * 3);
    RowProgress rows(progress, DibHeight(d));
    for (int y = 0; y < DibHeight(d); ++y) {
        if (!lines.next(line)) return ImageError::Damaged;
        if (DibBits(d) == 24) {
            lineToRgb(line.data(), h.bytesPerLine, width, pixels.data());
            writeRgbRow(d, y, pixels.data());
        } else {
            lineToIndices(line.data(), h, width, pixels.data());
            writeIndexRow(d, y, pixels.data());
        }
        rows.rowDone(y);
    }
    return ImageError::None;
}

// --- Writing ---

struct PcxLayout {
    std::uint8_t bitsPerPixel;
    std::uint8_t planes;
};

PcxLayout layoutFor(const dib& d, const IndexedRows& indexed) {
    if (DibBits(d) == 1) return {1, 1};
    if (DibBits(d) == 4) return {1, 4};
    return indexed.exact() ? PcxLayout{8, 1} : PcxLayout{8, 3};
}

std::uint16_t bytesPerLineFor(int width, const PcxLayout& layout) {
    const int bytes = (width * layout.bitsPerPixel + 7) / 8;
    return static_cast<std::uint16_t>(bytes + (bytes & 1));  // even, as readers expect
}

void writeHeader(ByteSink& sink, const dib& d, const PcxLayout& layout,
                 const std::vector<Rgb>& palette) {
    sink.u8(kManufacturer);
    sink.u8(kVersion5);
    sink.u8(kRunLengthCoded);
    sink.u8(layout.bitsPerPixel);
    sink.le16(0);
    sink.le16(0);
    sink.le16(static_cast<std::uint32_t>(DibWidth(d) - 1));
    sink.le16(static_cast<std::uint32_t>(DibHeight(d) - 1));
    sink.le16(72);  // resolution in dots per inch
    sink.le16(72);
    for (std::size_t i = 0; i < 16; ++i) {
        const Rgb c = layout.bitsPerPixel == 1 && i < palette.size() ? palette[i] : Rgb{};
        sink.u8(c.r);
        sink.u8(c.g);
        sink.u8(c.b);
    }
    sink.u8(0);
    sink.u8(layout.planes);
    sink.le16(bytesPerLineFor(DibWidth(d), layout));
    sink.le16(1);  // colour palette
    sink.le16(0);
    sink.le16(0);
    sink.zeros(kHeaderBytes - 74);
}

void encodeLine(std::span<const std::uint8_t> line, std::vector<std::uint8_t>& out) {
    for (std::size_t i = 0; i < line.size();) {
        std::size_t run = 1;
        while (i + run < line.size() && run < kMaxRun && line[i + run] == line[i])
            ++run;
        if (run > 1 || (line[i] & kRunFlag) == kRunFlag)
            out.push_back(static_cast<std::uint8_t>(kRunFlag | run));
        out.push_back(line[i]);
        i += run;
    }
}

// One picture row as the layout's plane lines, each bytes-per-line long.
void buildPlaneLines(const std::uint8_t* pixels, int width, const PcxLayout& layout,
                     std::size_t bpl, std::uint8_t* lines) {
    std::fill_n(lines, bpl * layout.planes, 0);
    if (layout.bitsPerPixel == 8) {
        for (int p = 0; p < layout.planes; ++p) {
            for (int x = 0; x < width; ++x)
                lines[p * bpl + x] = pixels[layout.planes * x + p];
        }
        return;
    }
    for (int p = 0; p < layout.planes; ++p) {
        for (int x = 0; x < width; ++x) {
            if (((pixels[x] >> p) & 1) != 0)
                lines[p * bpl + (x >> 3)] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    }
}

void writeClosingPalette(ByteSink& sink, const std::vector<Rgb>& palette) {
    sink.u8(kPaletteMarker);
    for (std::size_t i = 0; i < 256; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{};
        sink.u8(c.r);
        sink.u8(c.g);
        sink.u8(c.b);
    }
}

}  // namespace

bool recognisePcx(std::span<const std::uint8_t> head) {
    return head.size() >= 4 && head[0] == kManufacturer && head[1] <= kVersion5 && head[1] != 1 &&
           head[2] <= kRunLengthCoded &&
           (head[3] == 1 || head[3] == 2 || head[3] == 4 || head[3] == 8);
}

ImageError readPcx(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress) {
    ByteReader in(file);
    const PcxHeader header = readHeader(in);
    if (in.failed()) return ImageError::Damaged;
    std::span<const std::uint8_t> data = file.subspan(kHeaderBytes);
    std::span<const std::uint8_t> closingPalette;
    if (hasClosingPalette(header)) {
        if (data.size() < kClosingPaletteBytes ||
            data[data.size() - kClosingPaletteBytes] != kPaletteMarker) {
            return ImageError::Damaged;
        }
        closingPalette = data.last(kClosingPaletteBytes - 1);
        data = data.first(data.size() - kClosingPaletteBytes);
    }
    ImageError error = checkHeader(header, data.size());
    if (error != ImageError::None) return error;
    DecodedDib decoded;
    error = decoded.allocate(header.width, header.height, dibBitsFor(header));
    if (error != ImageError::None) return error;
    setColours(decoded.image(), header, closingPalette);
    PcxLineReader lines(data, header.encoding == kRunLengthCoded);
    error = decodeLines(lines, header, decoded.image(), progress);
    if (error == ImageError::None) decoded.handOver(out);
    return error;
}

ImageError writePcx(const dib& d, QIODevice& device, const ProgressFn& progress) {
    IndexedRows indexed(d);
    const PcxLayout layout = layoutFor(d, indexed);
    const int width = DibWidth(d);
    const int height = DibHeight(d);
    if (width > 0xFFFF || height > 0xFFFF || (width * layout.bitsPerPixel + 7) / 8 > 0xFFFE) {
        return ImageError::TooLargeForFormat;
    }
    const std::size_t bpl = bytesPerLineFor(width, layout);
    const bool trueColour = layout.planes == 3;
    ByteSink sink(device);
    writeHeader(sink, d, layout, indexed.palette());
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * 3);
    std::vector<std::uint8_t> lines(bpl * layout.planes);
    std::vector<std::uint8_t> packed;
    RowProgress rows(progress, height);
    for (int y = 0; y < height && sink.ok(); ++y) {
        if (trueColour) {
            readRgbRow(d, y, pixels.data());
        } else {
            indexed.row(y, pixels.data());
        }
        buildPlaneLines(pixels.data(), width, layout, bpl, lines.data());
        packed.clear();
        for (int p = 0; p < layout.planes; ++p)
            encodeLine(std::span(lines).subspan(p * bpl, bpl), packed);
        sink.bytes(packed);
        rows.rowDone(y);
    }
    if (layout.bitsPerPixel == 8 && layout.planes == 1)
        writeClosingPalette(sink, indexed.palette());
    return sink.flush() ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace tessora
