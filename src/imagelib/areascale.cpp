#include "imagelib/areascale.h"

#include <algorithm>

namespace tessora {
namespace {

// Box [start, end) of target index i when `sourceSize` pixels become `targetSize`; never empty.
int boxStart(int i, int sourceSize, int targetSize) {
    return static_cast<int>(std::int64_t{i} * sourceSize / targetSize);
}

int boxEnd(int i, int sourceSize, int targetSize) {
    return std::max(boxStart(i, sourceSize, targetSize) + 1,
                    boxStart(i + 1, sourceSize, targetSize));
}

}  // namespace

AreaScaler::AreaScaler(const dib& source, int width, int height)
    : source_(source),
      targetWidth_(width),
      targetHeight_(height),
      bytesPerPixel_(DibBits(source) / 8),
      columnStart_(static_cast<std::size_t>(width)),
      columnEnd_(static_cast<std::size_t>(width)),
      columnSums_(static_cast<std::size_t>(DibWidth(source)) * 3) {
    const int sourceWidth = DibWidth(source);
    for (int x = 0; x < width; ++x) {
        columnStart_[static_cast<std::size_t>(x)] = boxStart(x, sourceWidth, width);
        columnEnd_[static_cast<std::size_t>(x)] = boxEnd(x, sourceWidth, width);
    }
}

void AreaScaler::sumSourceRows(int firstRow, int endRow) {
    std::fill(columnSums_.begin(), columnSums_.end(), 0);
    const int sourceHeight = DibHeight(source_);
    const int sourceWidth = DibWidth(source_);
    for (int row = firstRow; row < endRow; ++row) {
        const std::uint8_t* pixel = DibRow(source_, sourceHeight - 1 - row);
        std::uint64_t* sum = columnSums_.data();
        for (int x = 0; x < sourceWidth; ++x, pixel += bytesPerPixel_, sum += 3) {
            sum[0] += pixel[0];
            sum[1] += pixel[1];
            sum[2] += pixel[2];
        }
    }
}

void AreaScaler::readRow(int y, std::uint8_t* bgr) {
    const int sourceHeight = DibHeight(source_);
    const int firstRow = boxStart(y, sourceHeight, targetHeight_);
    const int endRow = boxEnd(y, sourceHeight, targetHeight_);
    sumSourceRows(firstRow, endRow);
    const auto rows = static_cast<std::uint64_t>(endRow - firstRow);
    for (int x = 0; x < targetWidth_; ++x, bgr += 3) {
        const int start = columnStart_[static_cast<std::size_t>(x)];
        const int end = columnEnd_[static_cast<std::size_t>(x)];
        const std::uint64_t count = rows * static_cast<std::uint64_t>(end - start);
        for (int channel = 0; channel < 3; ++channel) {
            std::uint64_t total = 0;
            for (int column = start; column < end; ++column) {
                total += columnSums_[static_cast<std::size_t>(column) * 3 +
                                     static_cast<std::size_t>(channel)];
            }
            bgr[channel] = static_cast<std::uint8_t>((total + count / 2) / count);
        }
    }
}

}  // namespace tessora
