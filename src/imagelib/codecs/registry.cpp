#include "imagelib/codecs/registry.h"

namespace tessora {

std::span<const OwnReader> OwnReaders() {
    return {};
}

}  // namespace tessora
