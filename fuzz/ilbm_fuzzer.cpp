// Our IFF ILBM reader on any bytes, and what it reads through our ILBM writer and back.

#include "fuzzsupport.h"
#include "imagelib/codecs/ilbm.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessora::fuzz::initialiseFuzzer(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessora::fuzz::fuzzDecoder(tessora::fuzz::bytesOf(data, size), tessora::readIlbm,
                               tessora::writeIlbm);
    return 0;
}
