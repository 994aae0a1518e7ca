#include "imagelib/codecs/decodeddib.h"

#include "imagelib/imagelib.h"

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
    newdib(&image_, static_cast<int>(width), static_cast<int>(height), bitsPerPixel, nullptr, 0);
    return image_.poi == nullptr ? ImageError::OutOfMemory : ImageError::None;
}

}  // namespace tessora
