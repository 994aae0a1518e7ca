#include "imagelib/codecs/decodeddib.h"

#include "imagelib/imagelib.h"
#include "imagelib/qtdecodecost.h"

namespace tessora {

ImageError sizeCheckError(SizeCheck check) {
    switch (check) {
        case SizeCheck::Ok:
            return ImageError::None;
        case SizeCheck::Empty:
            return ImageError::Empty;
        case SizeCheck::TooLarge:
            return ImageError::TooLarge;
        case SizeCheck::BadDepth:
            return ImageError::UnsupportedDepth;
    }
    return ImageError::Damaged;
}

ImageError DecodedDib::allocate(std::int64_t width, std::int64_t height, int bitsPerPixel) {
    FreeDib(image_);
    const ImageError sizeError = sizeCheckError(CheckImageSize(width, height, bitsPerPixel));
    if (sizeError != ImageError::None) return sizeError;
    // One pixel per row of 4-byte padding makes a tall, thin picture cost far more than its
    // pixels: 1 x 256 million pixels would be a gigabyte.
    if (ComputeImageSize(width, height, bitsPerPixel)->imageSize > LoadMemoryBudget())
        return ImageError::TooLargeForMemory;
    newdib(&image_, static_cast<int>(width), static_cast<int>(height), bitsPerPixel, nullptr, 0);
    return image_.poi == nullptr ? ImageError::OutOfMemory : ImageError::None;
}

}  // namespace tessora
