#pragma once
// The colours of a picture with how often each occurs: what the colour limit weighs its choice
// on, so that its cost follows the number of colours rather than of beads.

#include <vector>

#include "engine/colorerror.h"
#include "imagelib/dib.h"

namespace tessora {

struct ColorHistogram {
    std::vector<ColorPoint> colors;
    std::vector<float> weights;  // pixels per colour
    bool exact = true;           // every entry is one colour of the picture
    int size() const { return static_cast<int>(colors.size()); }
};

// Up to kExactHistogramColors different colours every colour is an entry of its own. A picture
// with more (a photo) is grouped into boxes of 8 x 8 x 8 colours, each entry the mean of its
// box's pixels: under the squared distance a box's error is then its pixels' error up to a
// constant, as long as the whole box goes to one bead colour.
constexpr int kExactHistogramColors = 32768;
ColorHistogram colorHistogram(const dib& picture);

}  // namespace tessora
