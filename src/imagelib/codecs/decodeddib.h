#pragma once
// The image a decoder fills: allocated through the one size check, released on every early
// return, handed to the caller only when decoding has succeeded.

#include <cstdint>

#include "imagelib/dib.h"
#include "imagelib/imageerror.h"
#include "imagelib/imagesize.h"

namespace tessora {

// Why a picture of this size and depth cannot be made, None when it can.
ImageError sizeCheckError(SizeCheck check);

class DecodedDib {
  public:
    DecodedDib() = default;
    ~DecodedDib() { FreeDib(image_); }
    DecodedDib(const DecodedDib&) = delete;
    DecodedDib& operator=(const DecodedDib&) = delete;

    // A zeroed image; TooLarge, Empty or UnsupportedDepth before anything is allocated.
    ImageError allocate(std::int64_t width, std::int64_t height, int bitsPerPixel);
    const dib& image() const { return image_; }
    dib& image() { return image_; }
    void handOver(dib* out) {
        *out = image_;
        image_ = dib{};
    }

  private:
    dib image_{};
};

}  // namespace tessora
