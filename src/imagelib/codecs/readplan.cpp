#include "imagelib/codecs/readplan.h"

#include <algorithm>
#include <limits>

#include "imagelib/codecs/byteio.h"

namespace tessora {
namespace {

constexpr std::uint64_t kUnbounded = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatingMul(std::uint64_t a, std::uint64_t b) {
    return a != 0 && b > kUnbounded / a ? kUnbounded : a * b;
}

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return b > kUnbounded - a ? kUnbounded : a + b;
}

// Never more than the file has; the tail only where the prefix leaves something over.
ReadPlan within(std::uint64_t fileSize, std::uint64_t prefix, std::uint64_t tail = 0) {
    const std::uint64_t first = std::min(prefix, fileSize);
    return ReadPlan{first, std::min(tail, fileSize - first)};
}

std::uint64_t value(std::span<const std::uint8_t> head, std::size_t at, int bytes) {
    if (head.size() < at + static_cast<std::size_t>(bytes)) return 0;
    return bytes == 2 ? loadLe16(&head[at]) : loadLe32(&head[at]);
}

}  // namespace

ReadPlan planBmpRle(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    const std::uint64_t pixelsAt = value(head, 10, 4);
    const std::uint64_t streamBytes = value(head, 34, 4);
    if (streamBytes > 0) return within(fileSize, saturatingAdd(pixelsAt, streamBytes));
    // A pixel costs at most a two-byte run of one, a row its end-of-line; a delta of four
    // bytes moves at least one pixel on.
    const auto width = static_cast<std::uint64_t>(
        std::max<std::int64_t>(static_cast<std::int32_t>(value(head, 18, 4)), 0));
    const auto height = static_cast<std::uint64_t>(
        std::abs(static_cast<std::int64_t>(static_cast<std::int32_t>(value(head, 22, 4)))));
    const std::uint64_t perRow = saturatingAdd(saturatingMul(width, 4), 4);
    return within(fileSize,
                  saturatingAdd(pixelsAt, saturatingAdd(saturatingMul(perRow, height), 64)));
}

ReadPlan planPcx(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    constexpr std::uint64_t kHeaderBytes = 128, kClosingPaletteBytes = 769;
    const auto yMin = static_cast<std::int64_t>(value(head, 6, 2));
    const auto yMax = static_cast<std::int64_t>(value(head, 10, 2));
    const std::uint64_t rows = yMax >= yMin ? static_cast<std::uint64_t>(yMax - yMin + 1) : 0;
    const std::uint64_t planes = head.size() > 65 ? head[65] : 0;
    const std::uint64_t lineBytes = saturatingMul(value(head, 66, 2), planes);
    // A run-coded byte takes two bytes at most; a closing palette is the file's last bytes.
    const std::uint64_t data = saturatingMul(saturatingMul(lineBytes, rows), 2);
    return within(fileSize, saturatingAdd(kHeaderBytes, data), kClosingPaletteBytes);
}

ReadPlan planIff(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    const std::uint64_t formLength = head.size() >= 8 ? loadBe32(&head[4]) : 0;
    return within(fileSize, 8 + formLength + 1);
}

ReadPlan planTga(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    constexpr std::uint64_t kHeaderBytes = 18;
    if (head.size() < kHeaderBytes) return within(fileSize, kHeaderBytes);
    const std::uint64_t mapBytes = value(head, 5, 2) * ((head[7] + 7u) / 8u);
    const std::uint64_t pixels = saturatingMul(value(head, 12, 2), value(head, 14, 2));
    // A run-length packet of one pixel costs its pixel and a byte.
    const std::uint64_t pixelBytes = saturatingMul(pixels, (head[16] + 7u) / 8u + 1);
    return within(fileSize, saturatingAdd(kHeaderBytes + head[0] + mapBytes, pixelBytes));
}

}  // namespace tessora
