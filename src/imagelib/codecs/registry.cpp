#include "imagelib/codecs/registry.h"

#include <array>

#include "imagelib/codecs/bmprle.h"
#include "imagelib/codecs/iffpbm.h"
#include "imagelib/codecs/ilbm.h"
#include "imagelib/codecs/pcx.h"
#include "imagelib/codecs/tga.h"

namespace tessora {
namespace {

// TGA last: it has no signature, so the formats that have one are asked first.
constexpr std::array<OwnReader, 5> kReaders = {{
    {"BMP RLE", recogniseBmpRle, readBmpRle, planBmpRle, nullptr},
    {"PCX", recognisePcx, readPcx, planPcx, nullptr},
    {"IFF ILBM", recogniseIlbm, readIlbm, planIff, nullptr},
    {"IFF PBM", recogniseIffPbm, readIffPbm, planIff, nullptr},
    {"TGA", recogniseTga, readTga, planTga, readTgaWithAlpha},
}};

}  // namespace

std::span<const OwnReader> OwnReaders() {
    return kReaders;
}

}  // namespace tessora
