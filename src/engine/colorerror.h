#pragma once
// The colour error the colour limit minimises: the squared distance of red, green and blue. It
// lives here alone so that another distance can take its place; the grouping of many picture
// colours into one mean colour (colorhistogram.h) is exact for this distance only.

namespace tessora {

struct ColorPoint {
    float red, green, blue;
};

inline float colorError(const ColorPoint& a, const ColorPoint& b) {
    const float dr = a.red - b.red;
    const float dg = a.green - b.green;
    const float db = a.blue - b.blue;
    return dr * dr + dg * dg + db * db;
}

}  // namespace tessora
