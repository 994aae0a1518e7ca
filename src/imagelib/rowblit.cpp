#include "imagelib/rowblit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imagelib/imagelib.h"
#include "imagelib/owneddib.h"

namespace tessora {
namespace {

// Destination offsets [begin, end) along one axis that lie inside the clip box.
struct Span {
    int begin = 0;
    int end = 0;
    bool isEmpty() const { return end <= begin; }
};

Span visibleSpan(int destStart, int destSize, std::int64_t clipStart, std::int64_t clipEnd) {
    const auto begin = std::clamp<std::int64_t>(clipStart - destStart, 0, destSize);
    const auto end = std::clamp<std::int64_t>(clipEnd - destStart, begin, destSize);
    return Span{static_cast<int>(begin), static_cast<int>(end)};
}

// The source pixel that destination offset `offset` shows: start + (sourceSize * offset) div
// destSize.
std::int64_t nearestSource(int start, int sourceSize, int destSize, int offset) {
    return start + std::int64_t{sourceSize} * offset / destSize;
}

// Byte offsets into a stored row for the visible destination columns, and which of them lie
// inside the image. Columns map monotonically, so the inside ones form one run [first, last].
struct ColumnTable {
    Span visible;
    std::vector<std::int64_t> byteOffset;  // per visible column
    int first = 0;                         // destination offsets of the run inside the image
    int last = -1;
};

ColumnTable makeColumnTable(const IntRect& dest, const IntRect& source, int imageWidth,
                            int bytesPerPixel, Span visible) {
    ColumnTable table{visible, {}, 0, -1};
    table.byteOffset.resize(static_cast<std::size_t>(visible.end - visible.begin));
    bool anyInside = false;
    for (int i = visible.begin; i < visible.end; ++i) {
        const std::int64_t column = nearestSource(source.x, source.width, dest.width, i);
        table.byteOffset[static_cast<std::size_t>(i - visible.begin)] = column * bytesPerPixel;
        if (column < 0 || column >= imageWidth) continue;
        if (!anyInside) table.first = i;
        table.last = i;
        anyInside = true;
    }
    return table;
}

struct RowBlitJob {
    Device& device;
    IntRect dest;
    const dib& image;
    IntRect source;  // y is the top picture row
    int bytesPerPixel;
};

void copyRow(const RowBlitJob& job, const ColumnTable& table, const std::uint8_t* from,
             std::uint8_t* to) {
    const auto size = static_cast<std::size_t>(job.bytesPerPixel);
    for (int i = table.first; i <= table.last; ++i) {
        const std::int64_t offset =
            table.byteOffset[static_cast<std::size_t>(i - table.visible.begin)];
        std::memcpy(to + static_cast<std::ptrdiff_t>(i) * job.bytesPerPixel, from + offset, size);
    }
}

void clearVisible(const RowBlitJob& job, const ColumnTable& table, std::uint8_t* row) {
    const std::ptrdiff_t begin =
        static_cast<std::ptrdiff_t>(table.visible.begin) * job.bytesPerPixel;
    const std::ptrdiff_t end = static_cast<std::ptrdiff_t>(table.visible.end) * job.bytesPerPixel;
    std::memset(row + begin, 0, static_cast<std::size_t>(end - begin));
}

bool isDrawable(const RowBlitJob& job) {
    return job.image.poi != nullptr && DibBits(job.image) == job.bytesPerPixel * 8 &&
           !job.dest.isEmpty() && !job.source.isEmpty();
}

// The buffer starts zeroed, so columns outside the image stay black / colour index 0 for the
// whole call; only rows whose picture row changes are copied again.
void outputRows(const RowBlitJob& job, const dib& buffer) {
    const IntRect clip = job.device.clipBox();
    const Span rows = visibleSpan(job.dest.y, job.dest.height, clip.y, clip.bottom());
    const Span columns = visibleSpan(job.dest.x, job.dest.width, clip.x, clip.right());
    if (rows.isEmpty() || columns.isEmpty()) return;
    const int imageHeight = DibHeight(job.image);
    const ColumnTable table =
        makeColumnTable(job.dest, job.source, DibWidth(job.image), job.bytesPerPixel, columns);
    std::int64_t copiedRow = -1;
    for (int j = rows.begin; j < rows.end; ++j) {
        const std::int64_t row = nearestSource(job.source.y, job.source.height, job.dest.height, j);
        if (row < 0 || row >= imageHeight) {
            clearVisible(job, table, buffer.poi);
            copiedRow = -1;
        } else if (row != copiedRow) {
            copyRow(job, table, DibRow(job.image, static_cast<int>(imageHeight - 1 - row)),
                    buffer.poi);
            copiedRow = row;
        }
        const IntRect line{job.dest.x, clampToInt(std::int64_t{job.dest.y} + j), job.dest.width, 1};
        job.device.setDIBitsToDevice(line, 0, 0, 0, 1, buffer.poi, buffer.pmi);
    }
}

}  // namespace

void RowBlit24(Device& device, int destX, int destY, int destWidth, int destHeight,
               const dib& image, int sourceX, int sourceTopRow, int sourceWidth, int sourceHeight) {
    const RowBlitJob job{device,
                         {destX, destY, destWidth, destHeight},
                         image,
                         {sourceX, sourceTopRow, sourceWidth, sourceHeight},
                         3};
    if (!isDrawable(job)) return;
    OwnedDib buffer;
    newdib(buffer.out(), destWidth, 1, 24, nullptr, 0);
    if (!buffer.hasPixels()) return;
    outputRows(job, buffer.get());
}

void RowBlit8(Device& device, int destX, int destY, int destWidth, int destHeight, const dib& image,
              int sourceX, int sourceTopRow, int sourceWidth, int sourceHeight) {
    const RowBlitJob job{device,
                         {destX, destY, destWidth, destHeight},
                         image,
                         {sourceX, sourceTopRow, sourceWidth, sourceHeight},
                         1};
    if (!isDrawable(job)) return;
    OwnedDib buffer;
    newdib(buffer.out(), destWidth, 1, 8, image.pmi, 256);
    if (!buffer.hasPixels()) return;
    outputRows(job, buffer.get());
}

}  // namespace tessora
