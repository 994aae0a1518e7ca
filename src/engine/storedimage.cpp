#include "engine/storedimage.h"

#include <zstd.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"

namespace tessora {
namespace {

// Level 1: a 4000 x 3000 photo is written in a fraction of a second, which autosave needs;
// higher levels gain little on photo noise.
constexpr int kCompressionLevel = 1;

struct CompressContextFree {
    void operator()(ZSTD_CCtx* context) const { ZSTD_freeCCtx(context); }
};
struct DecompressContextFree {
    void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

std::size_t colourTableEntries(int bits) {
    return bits <= 8 ? std::size_t{1} << bits : 0;
}

std::span<const std::uint8_t> pixelBytes(const dib& image) {
    return {image.poi, image.pmi->biSizeImage};
}

bool fitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

bool fitsUint32(std::int64_t value) {
    return value >= 0 && value <= std::numeric_limits<std::uint32_t>::max();
}

bool headerFieldsFit(const StoredImageFields& fields) {
    return fitsInt32(fields.xPelsPerMeter) && fitsInt32(fields.yPelsPerMeter) &&
           fitsUint32(fields.coloursUsed) && fitsUint32(fields.coloursImportant);
}

StoredImageError checkSize(const StoredImageFields& fields) {
    if (fields.bits < 1 || fields.bits > 32) return StoredImageError::Damaged;
    switch (CheckImageSize(fields.width, fields.height, static_cast<int>(fields.bits))) {
        case SizeCheck::Ok:
            return StoredImageError::None;
        case SizeCheck::TooLarge:
            return StoredImageError::TooLarge;
        case SizeCheck::Empty:
        case SizeCheck::BadDepth:
            break;
    }
    return StoredImageError::Damaged;
}

bool tablesFit(const StoredImageView& stored) {
    const int bits = static_cast<int>(stored.fields.bits);
    return stored.colourTable.size() == colourTableEntries(bits) * sizeof(RgbQuad) &&
           stored.palette.size() % sizeof(PalEntry) == 0 &&
           stored.palette.size() <= sizeof(LPAL::rgb0);
}

// One whole frame that declares exactly the size the header asks for.
bool frameFits(std::span<const std::uint8_t> frame, std::size_t imageSize) {
    if (ZSTD_getFrameContentSize(frame.data(), frame.size()) != imageSize) return false;
    return ZSTD_findFrameCompressedSize(frame.data(), frame.size()) == frame.size();
}

bool decompressInto(std::span<const std::uint8_t> frame, std::span<std::uint8_t> target) {
    const std::unique_ptr<ZSTD_DCtx, DecompressContextFree> context(ZSTD_createDCtx());
    if (!context) return false;
    const std::size_t written = ZSTD_decompressDCtx(context.get(), target.data(), target.size(),
                                                    frame.data(), frame.size());
    return !ZSTD_isError(written) && written == target.size();
}

void copyTables(const StoredImageView& stored, dib& image) {
    BitmapInfoHeader& header = *image.pmi;
    header.biXPelsPerMeter = static_cast<std::int32_t>(stored.fields.xPelsPerMeter);
    header.biYPelsPerMeter = static_cast<std::int32_t>(stored.fields.yPelsPerMeter);
    header.biClrUsed = static_cast<std::uint32_t>(stored.fields.coloursUsed);
    header.biClrImportant = static_cast<std::uint32_t>(stored.fields.coloursImportant);
    if (!stored.colourTable.empty())
        std::memcpy(DibColorTable(image), stored.colourTable.data(), stored.colourTable.size());
    image.pal.num = static_cast<std::uint16_t>(stored.palette.size() / sizeof(PalEntry));
    std::memset(image.pal.rgb0, 0, sizeof(image.pal.rgb0));
    if (!stored.palette.empty())
        std::memcpy(image.pal.rgb0, stored.palette.data(), stored.palette.size());
}

}  // namespace

std::vector<std::uint8_t> compressImagePixels(const dib& image) {
    return compressBytes(pixelBytes(image));
}

std::vector<std::uint8_t> compressBytes(std::span<const std::uint8_t> bytes) {
    const std::unique_ptr<ZSTD_CCtx, CompressContextFree> context(ZSTD_createCCtx());
    if (!context) return {};
    ZSTD_CCtx_setParameter(context.get(), ZSTD_c_compressionLevel, kCompressionLevel);
    ZSTD_CCtx_setParameter(context.get(), ZSTD_c_checksumFlag, 1);
    // Left uninitialised: the bound is as large as the input, and zeroing it would make every
    // page of it resident although the frame of a plain picture fills only a few.
    const std::size_t bound = ZSTD_compressBound(bytes.size());
    const std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[bound]);
    if (!buffer) return {};
    const std::size_t size =
        ZSTD_compress2(context.get(), buffer.get(), bound, bytes.data(), bytes.size());
    if (ZSTD_isError(size)) return {};
    try {
        return std::vector<std::uint8_t>(buffer.get(), buffer.get() + size);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

StoredImageView storedImageOf(const dib& image, std::span<const std::uint8_t> compressedPixels) {
    const BitmapInfoHeader& header = *image.pmi;
    const std::size_t tableBytes = colourTableEntries(header.biBitCount) * sizeof(RgbQuad);
    const std::size_t paletteBytes = std::min<std::size_t>(image.pal.num, 256) * sizeof(PalEntry);
    return StoredImageView{
        StoredImageFields{header.biWidth, header.biHeight, header.biBitCount,
                          header.biXPelsPerMeter, header.biYPelsPerMeter, header.biClrUsed,
                          header.biClrImportant},
        {reinterpret_cast<const std::uint8_t*>(DibColorTable(image)), tableBytes},
        {reinterpret_cast<const std::uint8_t*>(image.pal.rgb0), paletteBytes},
        compressedPixels};
}

StoredImageError restoreImage(const StoredImageView& stored, dib& out) {
    out = dib{};
    if (const StoredImageError sizeError = checkSize(stored.fields);
        sizeError != StoredImageError::None) {
        return sizeError;
    }
    const auto size = ComputeImageSize(stored.fields.width, stored.fields.height,
                                       static_cast<int>(stored.fields.bits));
    if (!size || !headerFieldsFit(stored.fields) || !tablesFit(stored) ||
        !frameFits(stored.pixels, size->imageSize)) {
        return StoredImageError::Damaged;
    }
    dib image{};
    newdib(&image, static_cast<int>(stored.fields.width), static_cast<int>(stored.fields.height),
           static_cast<int>(stored.fields.bits), nullptr, 0);
    if (image.poi == nullptr) return StoredImageError::OutOfMemory;
    if (!decompressInto(stored.pixels, {image.poi, image.pmi->biSizeImage})) {
        FreeDib(image);
        return StoredImageError::Damaged;
    }
    copyTables(stored, image);
    out = image;
    return StoredImageError::None;
}

bool decompressExactly(std::span<const std::uint8_t> frame, std::span<std::uint8_t> target) {
    return frameFits(frame, target.size()) && decompressInto(frame, target);
}

}  // namespace tessora
