// Our TGA reader on any bytes, and what it reads through our TGA writer and back.

#include "fuzzsupport.h"
#include "imagelib/codecs/tga.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessora::fuzz::initialiseFuzzer(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessora::fuzz::fuzzDecoder(tessora::fuzz::bytesOf(data, size), tessora::readTga,
                               tessora::writeTga);
    return 0;
}
