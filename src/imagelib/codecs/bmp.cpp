#include "imagelib/codecs/bmp.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "imagelib/codecs/byteio.h"
#include "imagelib/codecs/indexedrows.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {
namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPlainRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr int kMaxRun = 255;

struct BmpLayout {
    int bits;
    std::uint32_t compression;
    std::uint32_t colours;     // entries of the colour table
    std::uint32_t pixelBytes;  // 0 while not yet known
};

void writeHeaders(ByteSink& sink, const dib& d, const BmpLayout& layout) {
    const std::uint32_t offBits = kFileHeaderBytes + kInfoHeaderBytes + 4 * layout.colours;
    sink.u8('B');
    sink.u8('M');
    sink.le32(offBits + layout.pixelBytes);
    sink.le32(0);
    sink.le32(offBits);
    sink.le32(kInfoHeaderBytes);
    sink.le32(static_cast<std::uint32_t>(DibWidth(d)));
    sink.le32(static_cast<std::uint32_t>(DibHeight(d)));
    sink.le16(1);
    sink.le16(static_cast<std::uint32_t>(layout.bits));
    sink.le32(layout.compression);
    sink.le32(layout.pixelBytes);
    sink.le32(static_cast<std::uint32_t>(d.pmi->biXPelsPerMeter));
    sink.le32(static_cast<std::uint32_t>(d.pmi->biYPelsPerMeter));
    sink.le32(layout.colours);
    sink.le32(0);
}

void writeColourTable(ByteSink& sink, const std::vector<Rgb>& palette, std::uint32_t entries) {
    for (std::uint32_t i = 0; i < entries; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{};
        sink.u8(c.b);
        sink.u8(c.g);
        sink.u8(c.r);
        sink.u8(0);
    }
}

std::size_t runAt(const std::vector<std::uint8_t>& row, std::size_t from) {
    std::size_t run = 1;
    while (from + run < row.size() && run < kMaxRun && row[from + run] == row[from])
        ++run;
    return run;
}

// Encoded runs for repeats, absolute runs (three bytes or more, padded to a word) for the rest.
void encodeRle8Row(const std::vector<std::uint8_t>& row, std::vector<std::uint8_t>& out) {
    for (std::size_t i = 0; i < row.size();) {
        const std::size_t run = runAt(row, i);
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        std::size_t end = i;
        while (end < row.size() && end - i < kMaxRun && runAt(row, end) < 2)
            ++end;
        const std::size_t count = end - i;
        if (count >= 3) {
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(count));
            out.insert(out.end(), row.begin() + static_cast<std::ptrdiff_t>(i),
                       row.begin() + static_cast<std::ptrdiff_t>(end));
            if ((count & 1) != 0) out.push_back(0);
        } else {
            for (std::size_t k = i; k < end; ++k) {
                out.push_back(1);
                out.push_back(row[k]);
            }
        }
        i = end;
    }
}

}  // namespace

ImageError writeBmp(const dib& d, QIODevice& device, const ProgressFn& progress) {
    const BmpLayout layout{DibBits(d), kPlainRgb, isIndexedDib(d) ? 1u << DibBits(d) : 0u,
                           d.pmi->biSizeImage};
    if (std::uint64_t{layout.pixelBytes} + kFileHeaderBytes + kInfoHeaderBytes +
            4 * layout.colours >
        std::numeric_limits<std::uint32_t>::max()) {
        return ImageError::TooLargeForFormat;
    }
    ByteSink sink(device);
    writeHeaders(sink, d, layout);
    writeColourTable(sink, dibPalette(d), layout.colours);
    const std::size_t used = (static_cast<std::size_t>(DibWidth(d)) * DibBits(d) + 7) / 8;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(d.bytew), 0);  // padding stays zero
    RowProgress rows(progress, DibHeight(d));
    for (int r = 0; r < DibHeight(d) && sink.ok(); ++r) {
        std::copy_n(DibRow(d, r), used, row.begin());
        if (DibBits(d) < 8 && (DibWidth(d) * DibBits(d)) % 8 != 0) {
            // Bits of the last byte beyond the width carry no pixels.
            row[used - 1] &=
                static_cast<std::uint8_t>(0xFF << (8 - (DibWidth(d) * DibBits(d)) % 8));
        }
        sink.bytes(row);
        rows.rowDone(r);
    }
    return sink.flush() ? ImageError::None : ImageError::CannotWrite;
}

ImageError writeBmpRle8(const dib& d, QIODevice& device, const ProgressFn& progress) {
    IndexedRows indexed(d);
    const BmpLayout layout{8, kRle8, 256, 0};
    ByteSink sink(device);
    writeHeaders(sink, d, layout);
    writeColourTable(sink, indexed.palette(), layout.colours);
    const std::uint64_t pixelsAt = sink.position();
    const int height = DibHeight(d);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(DibWidth(d)));
    std::vector<std::uint8_t> packed;
    RowProgress rows(progress, height);
    for (int r = 0; r < height && sink.ok(); ++r) {
        indexed.row(height - 1 - r, row.data());  // stored rows are bottom-up
        packed.clear();
        encodeRle8Row(row, packed);
        packed.push_back(0);
        packed.push_back(r + 1 < height ? 0 : 1);  // end of line, or end of bitmap
        sink.bytes(packed);
        rows.rowDone(r);
    }
    const std::uint64_t pixelBytes = sink.position() - pixelsAt;
    if (sink.position() > std::numeric_limits<std::uint32_t>::max())
        return ImageError::TooLargeForFormat;
    sink.patchLe32(2, static_cast<std::uint32_t>(sink.position()));
    sink.patchLe32(kFileHeaderBytes + 20, static_cast<std::uint32_t>(pixelBytes));
    return sink.flush() ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace tessora
