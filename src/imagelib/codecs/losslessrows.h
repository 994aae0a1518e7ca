#pragma once
// The picture's rows as a lossless format that knows both kinds stores them: one byte per pixel
// indexing a table of at most 256 colours when the picture has no more (every chart), else red,
// green, blue per pixel. Rows are made one at a time, so a writer never holds a second copy of
// the picture.

#include <cstdint>
#include <optional>
#include <vector>

#include "imagelib/codecs/colourindex.h"
#include "imagelib/codecs/dibaccess.h"

namespace tessora {

class LosslessRows {
  public:
    explicit LosslessRows(const dib& d);

    bool indexed() const { return indexed_; }
    // The colours the indices refer to (empty for red, green, blue rows).
    const std::vector<Rgb>& palette() const { return palette_; }
    // 1 for indices, 3 for red, green, blue.
    int bytesPerPixel() const { return indexed_ ? 1 : 3; }
    std::size_t rowBytes() const;

    // Picture row y (0 at the top), rowBytes() bytes.
    void row(int y, std::uint8_t* out) const;

  private:
    void indexTrueColourRow(int y, std::uint8_t* out) const;

    const dib& image_;
    bool indexed_ = false;
    std::vector<Rgb> palette_;
    std::optional<ColourIndex> colours_;  // for a true-colour picture of few colours
};

}  // namespace tessora
