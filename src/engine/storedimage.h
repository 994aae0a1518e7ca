#pragma once
// An image record as one row of a project's image table: the header fields, the colour table,
// the record's own palette and the stored pixel rows (bottom-up, padding included) as one
// zstd frame with a checksum. Restoring gives the record back byte for byte, whatever reader
// first made it, so a project never depends on the picture decoders of the day.

#include <cstdint>
#include <span>
#include <vector>

#include "imagelib/dib.h"

namespace tessora {

struct StoredImageFields {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::int64_t bits = 0;
    std::int64_t xPelsPerMeter = 0;
    std::int64_t yPelsPerMeter = 0;
    std::int64_t coloursUsed = 0;
    std::int64_t coloursImportant = 0;
};

// Views into a record or into a database row; nothing is owned.
struct StoredImageView {
    StoredImageFields fields;
    std::span<const std::uint8_t> colourTable;  // blue, green, red, 0 per entry
    std::span<const std::uint8_t> palette;      // the record's pal: red, green, blue, flags
    std::span<const std::uint8_t> pixels;       // the compressed rows
};

enum class StoredImageError { None, Damaged, TooLarge, OutOfMemory };

// The compressed pixel rows of an image with pixels; empty when memory ran out.
std::vector<std::uint8_t> compressImagePixels(const dib& image);

// Any bytes as one zstd frame with a checksum; empty when memory ran out.
std::vector<std::uint8_t> compressBytes(std::span<const std::uint8_t> bytes);

// Fills `target` from one whole frame that declares exactly its size; false for any other.
bool decompressExactly(std::span<const std::uint8_t> frame, std::span<std::uint8_t> target);

// The row of `image` with `compressedPixels` as its pixels.
StoredImageView storedImageOf(const dib& image, std::span<const std::uint8_t> compressedPixels);

// Checks the row against the pixel budget before anything is allocated, then rebuilds the
// record. On failure `out` is empty.
StoredImageError restoreImage(const StoredImageView& stored, dib& out);

}  // namespace tessora
