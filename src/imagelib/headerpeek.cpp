#include "imagelib/headerpeek.h"

#include <algorithm>
#include <array>
#include <limits>

#include "imagelib/codecs/byteio.h"
#include "imagelib/imagesize.h"

namespace tessora {
namespace {

constexpr std::size_t kBmpFileHeaderBytes = 14;
constexpr std::uint32_t kBmpCoreHeaderBytes = 12;
constexpr std::uint32_t kBmpInfoHeaderBytes = 40;

bool isBmp(std::span<const std::uint8_t> head) {
    return head.size() >= 18 && head[0] == 'B' && head[1] == 'M';
}

// The fields of a BMP header that say how many pixel bytes follow.
struct BmpLayout {
    std::uint32_t pixelsAt = 0;
    std::uint32_t headerBytes = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t colours = 0;  // entries of the colour table, 0 for as many as the depth has
};

std::optional<BmpLayout> bmpLayout(std::span<const std::uint8_t> head) {
    if (!isBmp(head)) return std::nullopt;
    BmpLayout b;
    b.pixelsAt = loadLe32(&head[10]);
    b.headerBytes = loadLe32(&head[14]);
    if (b.headerBytes == kBmpCoreHeaderBytes && head.size() >= 26) {
        b.width = static_cast<std::int16_t>(loadLe16(&head[18]));
        b.height = static_cast<std::int16_t>(loadLe16(&head[20]));
        b.bits = loadLe16(&head[24]);
        return b;
    }
    if (b.headerBytes >= kBmpInfoHeaderBytes && head.size() >= 34) {
        b.width = static_cast<std::int32_t>(loadLe32(&head[18]));
        b.height = static_cast<std::int32_t>(loadLe32(&head[22]));
        b.bits = loadLe16(&head[28]);
        b.compression = loadLe32(&head[30]);
        if (head.size() >= 50) b.colours = loadLe32(&head[46]);
        return b;
    }
    return std::nullopt;
}

bool isUncompressed(std::uint32_t compression) {
    constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    return compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
}

bool isBmpDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

int declaredIndexedBits(std::span<const std::uint8_t> head) {
    if (const auto bmp = bmpLayout(head)) return bmp->bits;
    static constexpr std::array<std::uint8_t, 8> kPng{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (head.size() >= 26 && std::equal(kPng.begin(), kPng.end(), head.begin())) {
        const int colorType = head[25];
        if (colorType == 3 || colorType == 0) return head[24];
    }
    return 0;
}

std::optional<std::pair<std::int64_t, std::int64_t>> declaredSize(
    std::span<const std::uint8_t> head) {
    if (const auto bmp = bmpLayout(head)) {
        // INT_MIN is no height at all, rather than a large one: checkPlainBitmap says Damaged.
        if (bmp->height == std::numeric_limits<std::int32_t>::min()) return std::nullopt;
        return std::pair{bmp->width, bmp->height < 0 ? -bmp->height : bmp->height};
    }
    if (head.size() >= 24 && head[0] == 0x89 && head[1] == 'P' && head[12] == 'I' &&
        head[13] == 'H') {
        return std::pair{std::int64_t{loadBe32(&head[16])}, std::int64_t{loadBe32(&head[20])}};
    }
    if (head.size() >= 10 && head[0] == 'G' && head[1] == 'I' && head[2] == 'F') {
        return std::pair{std::int64_t{loadLe16(&head[6])}, std::int64_t{loadLe16(&head[8])}};
    }
    return std::nullopt;
}

ImageError checkPlainBitmap(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    const auto bmp = bmpLayout(head);
    if (!bmp || !isUncompressed(bmp->compression)) return ImageError::None;
    if (!isBmpDepth(bmp->bits)) return ImageError::UnsupportedDepth;
    if (bmp->height == std::numeric_limits<std::int32_t>::min()) return ImageError::Damaged;
    if (bmp->bits <= 8 && bmp->colours > (1u << bmp->bits)) return ImageError::Damaged;
    if (bmp->width <= 0 || bmp->height == 0) return ImageError::None;  // left to the size check
    const std::uint64_t stride = (static_cast<std::uint64_t>(bmp->width) * bmp->bits + 31) / 32 * 4;
    const auto rows = static_cast<std::uint64_t>(bmp->height < 0 ? -bmp->height : bmp->height);
    const std::uint64_t pixelsAt =
        std::max<std::uint64_t>(bmp->pixelsAt, kBmpFileHeaderBytes + bmp->headerBytes);
    const auto bytes = CheckedMul(stride, rows);
    return !bytes || pixelsAt + *bytes > fileSize ? ImageError::Damaged : ImageError::None;
}

}  // namespace tessora
