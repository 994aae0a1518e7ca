#pragma once
// Drawing straight into the rows of a 24-bit image, in picture coordinates (y from the top).
// Everything is clipped to the image, so callers may draw partly outside it.

#include <cstdint>
#include <vector>

#include "engine/glyphs.h"
#include "imagelib/dib.h"

namespace tessora {

struct Bgr {
    std::uint8_t blue, green, red;
    bool operator==(const Bgr&) const = default;
};

constexpr Bgr kBlack{0, 0, 0};
constexpr Bgr kWhite{255, 255, 255};

struct ClipBox {
    int left, top, right, bottom;  // right and bottom exclusive
};

class ChartCanvas {
  public:
    explicit ChartCanvas(const dib& image);

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint8_t* row(int y) const { return DibRow(image_, height_ - 1 - y); }

    // Pixels [left, right) of row y.
    void fillSpan(int y, int left, int right, Bgr colour) const;
    void fillRect(int left, int top, int right, int bottom, Bgr colour) const;
    // A prepared row of the full width, copied onto row y.
    void copyRow(int y, const std::vector<std::uint8_t>& pixels) const;
    // Ink of row `maskRow` of `mask` placed with the text's top-left corner at (x, top), clipped
    // to `clip` and the image.
    void drawMaskRow(const GlyphMask& mask, int maskRow, int x, int y, Bgr colour,
                     const ClipBox& clip) const;
    void drawMask(const GlyphMask& mask, int x, int top, Bgr colour) const;

  private:
    dib image_;
    int width_;
    int height_;
};

// Fills pixels [left, right) of a row of blue-green-red triples.
void fillBgr(std::uint8_t* row, int left, int right, Bgr colour);

}  // namespace tessora
