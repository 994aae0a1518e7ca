#pragma once
// Readers of our own for the formats Qt cannot read (or not the way we write them). OpenDib
// asks them first; each recognises its files by their first bytes.

#include <cstdint>
#include <span>

#include "imagelib/alphaplane.h"
#include "imagelib/codecs/readplan.h"
#include "imagelib/imagelib.h"

namespace tessora {

struct OwnReader {
    const char* name;
    bool (*recognises)(std::span<const std::uint8_t> head);
    ImageError (*read)(std::span<const std::uint8_t> file, dib* out, const ProgressFn& progress);
    // The bytes of a file that `read` can use, from its first kPlanHeadBytes.
    ReadPlan (*plan)(std::span<const std::uint8_t> head, std::uint64_t fileSize);
    // For formats that can carry transparency: `read` that also gives it; nullptr otherwise.
    ImageError (*readWithAlpha)(std::span<const std::uint8_t> file, dib* out, AlphaPlane* alpha,
                                const ProgressFn& progress) = nullptr;
};

// How many leading bytes `recognises` may look at.
constexpr std::size_t kSniffBytes = 64;

std::span<const OwnReader> OwnReaders();

}  // namespace tessora
