// Our IFF PBM reader on any bytes, and what it reads through our PBM writer and back.

#include "fuzzsupport.h"
#include "imagelib/codecs/iffpbm.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessora::fuzz::initialiseFuzzer(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessora::fuzz::fuzzDecoder(tessora::fuzz::bytesOf(data, size), tessora::readIffPbm,
                               tessora::writeIffPbm);
    return 0;
}
