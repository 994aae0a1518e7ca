#pragma once
// The opacity of a loaded picture, kept beside the 24-bit record, which stays as it is.

#include <cstdint>
#include <vector>

namespace tessora {

// One byte per pixel, rows from the top, 255 opaque. Empty (width 0) for a picture without
// alpha.
struct AlphaPlane {
    int width = 0, height = 0;
    std::vector<std::uint8_t> alpha;
};

}  // namespace tessora
