// Any bytes through every reader OpenDib has (ours and Qt's), chosen by content as for a file.

#include "fuzzsupport.h"
#include "imagelib/owneddib.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessora::fuzz::initialiseFuzzer(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessora::OwnedDib picture;
    const tessora::ImageError error =
        tessora::openDibFromBytes(picture.out(), tessora::fuzz::bytesOf(data, size), [](int p) {
            tessora::fuzz::require(p >= 0 && p <= 100, "progress stays within 0 to 100");
        });
    tessora::fuzz::checkReadResult(error, picture.get());
    return 0;
}
