// Our RLE8/RLE4 bitmap reader on any bytes, and what it reads through our RLE8 writer and back.

#include "fuzzsupport.h"
#include "imagelib/codecs/bmp.h"
#include "imagelib/codecs/bmprle.h"
#include "imagelib/imagesize.h"

namespace {
// Runs and escapes are what this target explores; a megapixel of them costs its speed (every
// picture is written and read again) without reaching any new branch.
constexpr std::uint64_t kBmpRlePixelBudget = std::uint64_t{1} << 16;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessora::fuzz::initialiseFuzzer(false);
    tessora::SetPixelBudget(kBmpRlePixelBudget);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessora::fuzz::fuzzDecoder(tessora::fuzz::bytesOf(data, size), tessora::readBmpRle,
                               tessora::writeBmpRle8);
    return 0;
}
