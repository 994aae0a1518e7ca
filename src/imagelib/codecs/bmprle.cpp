#include "imagelib/codecs/bmprle.h"

#include <algorithm>

#include "imagelib/codecs/byteio.h"
#include "imagelib/codecs/decodeddib.h"
#include "imagelib/codecs/dibaccess.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kMinInfoHeaderBytes = 40;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr int kMaxRowsPerDelta = 255;

struct RleHeader {
    std::uint32_t pixelsAt = 0;
    std::uint32_t infoBytes = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t pixelBytes = 0;
    std::uint32_t colours = 0;
};

RleHeader readHeader(ByteReader& in) {
    RleHeader h;
    in.skip(10);  // "BM", file size, reserved
    h.pixelsAt = in.le32();
    h.infoBytes = in.le32();
    h.width = static_cast<std::int32_t>(in.le32());
    h.height = static_cast<std::int32_t>(in.le32());
    in.skip(2);  // planes
    h.bits = in.le16();
    h.compression = in.le32();
    h.pixelBytes = in.le32();
    in.skip(8);  // resolution
    h.colours = in.le32();
    return h;
}

ImageError checkHeader(RleHeader& h, std::size_t fileBytes) {
    const bool rle8 = h.compression == kRle8 && h.bits == 8;
    const bool rle4 = h.compression == kRle4 && h.bits == 4;
    if (!rle8 && !rle4) return ImageError::UnsupportedDepth;
    if (h.infoBytes < kMinInfoHeaderBytes || h.height < 0)
        return ImageError::Damaged;  // RLE rows are bottom-up
    if (h.colours == 0) h.colours = 1u << h.bits;
    if (h.colours > (1u << h.bits)) return ImageError::Damaged;
    const std::uint64_t tableEnd = kFileHeaderBytes + std::uint64_t{h.infoBytes} + 4ull * h.colours;
    if (tableEnd > h.pixelsAt || h.pixelsAt >= fileBytes) return ImageError::Damaged;
    return ImageError::None;
}

// No escape moves more than 255 rows up per two bytes of stream, so a shorter stream cannot
// reach the announced height: a tiny file announcing a giant picture is refused before any
// allocation.
bool streamCanReach(std::size_t streamBytes, std::int64_t height) {
    return height <= 1 + static_cast<std::int64_t>(streamBytes / 2) * kMaxRowsPerDelta;
}

class RleDecoder {
  public:
    RleDecoder(std::span<const std::uint8_t> stream, const RleHeader& h, dib& d,
               const ProgressFn& progress)
        : in_(stream), header_(h), image_(d), rows_(progress, static_cast<int>(h.height)) {}

    ImageError run() {
        while (y_ < header_.height) {
            if (in_.remaining() < 2) return ImageError::Damaged;  // ended before the picture did
            const std::uint8_t count = in_.u8();
            const std::uint8_t value = in_.u8();
            const ImageError error = count > 0 ? repeat(count, value) : escape(value);
            if (error != ImageError::None || finished_) return error;
        }
        return ImageError::None;  // escapes left the picture: what follows has nowhere to go
    }

  private:
    ImageError repeat(int count, std::uint8_t value) {
        for (int i = 0; i < count; ++i) {
            const std::uint8_t index = header_.bits == 8 ? value
                                       : (i & 1) == 0    ? value >> 4
                                                         : value & 0x0F;
            if (!put(index)) return ImageError::Damaged;
        }
        return ImageError::None;
    }

    ImageError escape(std::uint8_t code) {
        switch (code) {
            case 0:
                nextRow(1);
                return ImageError::None;
            case 1:
                finished_ = true;
                return ImageError::None;
            case 2: {
                const auto move = in_.take(2);
                if (in_.failed()) return ImageError::Damaged;
                x_ += move[0];
                if (move[1] > 0) nextRow(move[1], false);
                return ImageError::None;
            }
            default:
                return literal(code);
        }
    }

    ImageError literal(int count) {
        const std::size_t bytes = header_.bits == 8 ? count : (count + 1) / 2;
        const auto data = in_.take(bytes + (bytes & 1));  // padded to a 16-bit boundary
        if (in_.failed()) return ImageError::Damaged;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t index = header_.bits == 8 ? data[i]
                                       : (i & 1) == 0    ? data[i / 2] >> 4
                                                         : data[i / 2] & 0x0F;
            if (!put(index)) return ImageError::Damaged;
        }
        return ImageError::None;
    }

    // Pixels past the row's end are dropped; an index the colour table lacks is refused.
    bool put(std::uint8_t index) {
        if (index >= header_.colours) return false;
        if (x_ < header_.width) {
            std::uint8_t* row = DibRow(image_, static_cast<int>(y_));
            if (header_.bits == 8) {
                row[x_] = index;
            } else {
                std::uint8_t& b = row[x_ >> 1];
                b = (x_ & 1) == 0 ? static_cast<std::uint8_t>((b & 0x0F) | (index << 4))
                                  : static_cast<std::uint8_t>((b & 0xF0) | index);
            }
        }
        ++x_;
        return true;
    }

    void nextRow(int rows, bool toRowStart = true) {
        for (int r = 0; r < rows && y_ < header_.height; ++r)
            rows_.rowDone(static_cast<int>(y_++));
        if (toRowStart) x_ = 0;
    }

    ByteReader in_;
    const RleHeader& header_;
    dib& image_;
    RowProgress rows_;
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;  // stored row: 0 is the bottom of the picture
    bool finished_ = false;
};

void setColourTable(dib& d, std::span<const std::uint8_t> file, const RleHeader& h) {
    const std::size_t at = kFileHeaderBytes + h.infoBytes;
    for (std::uint32_t i = 0; i < h.colours; ++i) {
        const std::size_t entry = at + 4 * std::size_t{i};
        setDibColour(d, static_cast<int>(i), Rgb{file[entry + 2], file[entry + 1], file[entry]});
    }
}

}  // namespace

bool recogniseBmpRle(std::span<const std::uint8_t> head) {
    if (head.size() < 34 || head[0] != 'B' || head[1] != 'M') return false;
    const std::uint32_t compression = loadLe32(&head[30]);
    return loadLe32(&head[14]) >= kMinInfoHeaderBytes &&
           (compression == kRle8 || compression == kRle4);
}

ImageError readBmpRle(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress) {
    ByteReader in(file);
    RleHeader header = readHeader(in);
    if (in.failed()) return ImageError::Damaged;
    ImageError error = checkHeader(header, file.size());
    if (error != ImageError::None) return error;
    std::span<const std::uint8_t> stream = file.subspan(header.pixelsAt);
    if (header.pixelBytes > 0 && header.pixelBytes < stream.size())
        stream = stream.first(header.pixelBytes);
    if (!streamCanReach(stream.size(), header.height)) return ImageError::Damaged;
    DecodedDib decoded;
    error = decoded.allocate(header.width, header.height, header.bits);
    if (error != ImageError::None) return error;
    setColourTable(decoded.image(), file, header);
    error = RleDecoder(stream, header, decoded.image(), progress).run();
    if (error == ImageError::None) decoded.handOver(out);
    return error;
}

}  // namespace tessora
