#pragma once
// The picture as one colour index per pixel, for the formats that store indexed pixels:
// an indexed image as it is; a true-colour image of at most 256 colours through the exact
// table of its colours (lossless); one of more colours through a fixed palette with error
// diffusion.

#include <cstdint>
#include <optional>
#include <vector>

#include "imagelib/codecs/colourindex.h"
#include "imagelib/codecs/dibaccess.h"
#include "imagelib/codecs/quantize.h"

namespace tessora {

class IndexedRows {
  public:
    explicit IndexedRows(const dib& d);

    // False when colours had to be approximated.
    bool exact() const { return !diffusion_.has_value(); }
    // 1, 4 or 8: the depth of an indexed image, 8 for a true-colour one.
    int bits() const { return bits_; }
    // The colours the indices refer to; at most 256, at most 2^bits().
    const std::vector<Rgb>& palette() const { return palette_; }

    // Picture row y as indices. With error diffusion the rows must be asked for in one sweep
    // (top-down or bottom-up), since each row carries error to the next one asked for.
    void row(int y, std::uint8_t* indices);

  private:
    const dib& image_;
    int bits_ = 8;
    std::vector<Rgb> palette_;
    std::optional<ColourIndex> exactColours_;
    std::optional<FixedPaletteDiffusion> diffusion_;
    std::vector<std::uint8_t> rgb_;
};

// The smallest number of bits (1 to 8) whose 2^bits entries hold `colours` colours.
int bitsForColours(std::size_t colours);

}  // namespace tessora
