#pragma once
// The transparency of a loaded picture, kept beside the record (which holds the picture as it
// looks on white): one byte per pixel, rows top-down, 255 opaque, 0 fully transparent.

#include <cstdint>
#include <vector>

namespace tessora {

struct AlphaPlane {
    int width = 0, height = 0;
    std::vector<std::uint8_t> alpha;
};

}  // namespace tessora
