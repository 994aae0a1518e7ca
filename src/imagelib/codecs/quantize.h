#pragma once
// Reduces true-colour rows to a fixed palette of 252 colours (6 red × 7 green × 6 blue levels)
// with Floyd-Steinberg error diffusion. Used only for pictures of more than 256 colours in
// formats that store at most 256; charts never get here. The fixed palette keeps the work
// to one pass over the rows and two rows of memory, whatever the picture's size.

#include <cstdint>
#include <vector>

#include "imagelib/codecs/dibaccess.h"

namespace tessora {

class FixedPaletteDiffusion {
  public:
    explicit FixedPaletteDiffusion(int width);

    static const std::vector<Rgb>& palette();

    // Maps one row (red, green, blue per pixel) to palette indices and carries the error to
    // the next row handed in.
    void mapRow(const std::uint8_t* rgb, std::uint8_t* indices);

  private:
    int width_;
    // Per channel and pixel, with one guard cell each side so the neighbours need no checks.
    std::vector<int> thisRow_;
    std::vector<int> nextRow_;
};

}  // namespace tessora
