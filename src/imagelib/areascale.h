#pragma once
// Reads a true-colour image at another size: every target pixel is the average of the source
// pixels its box covers, so a shrunken picture keeps the colours of fine detail. Enlarging gives
// each target pixel its nearest source pixel.

#include <cstdint>
#include <vector>

#include "imagelib/dib.h"

namespace tessora {

class AreaScaler {
  public:
    // `source` must be a 24- or 32-bit image with pixels; width and height must be positive.
    AreaScaler(const dib& source, int width, int height);

    // Blue, green and red of target row y (counted from the top), 3 bytes per target pixel.
    void readRow(int y, std::uint8_t* bgr);

  private:
    void sumSourceRows(int firstRow, int endRow);

    const dib& source_;
    int targetWidth_;
    int targetHeight_;
    int bytesPerPixel_;
    std::vector<int> columnStart_;           // first source column of each target column's box
    std::vector<int> columnEnd_;             // one past its last
    std::vector<std::uint64_t> columnSums_;  // blue, green, red sums of the current row box
};

}  // namespace tessora
