#include "engine/chartcanvas.h"

#include <algorithm>
#include <cstring>

namespace tessora {

void fillBgr(std::uint8_t* row, int left, int right, Bgr colour) {
    if (right <= left) return;
    if (colour.blue == colour.green && colour.green == colour.red) {
        std::memset(row + 3 * left, colour.blue, 3 * static_cast<std::size_t>(right - left));
        return;
    }
    std::uint8_t* p = row + 3 * left;
    for (int x = left; x < right; ++x, p += 3) {
        p[0] = colour.blue;
        p[1] = colour.green;
        p[2] = colour.red;
    }
}

ChartCanvas::ChartCanvas(const dib& image)
    : image_(image), width_(DibWidth(image)), height_(DibHeight(image)) {}

void ChartCanvas::fillSpan(int y, int left, int right, Bgr colour) const {
    if (y < 0 || y >= height_) return;
    fillBgr(row(y), std::max(left, 0), std::min(right, width_), colour);
}

void ChartCanvas::fillRect(int left, int top, int right, int bottom, Bgr colour) const {
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
        fillSpan(y, left, right, colour);
}

void ChartCanvas::copyRow(int y, const std::vector<std::uint8_t>& pixels) const {
    std::memcpy(row(y), pixels.data(),
                std::min(pixels.size(), 3 * static_cast<std::size_t>(width_)));
}

void ChartCanvas::drawMaskRow(const GlyphMask& mask, int maskRow, int x, int y, Bgr colour,
                              const ClipBox& clip) const {
    if (maskRow < 0 || maskRow >= mask.rows() || y < std::max(clip.top, 0) ||
        y >= std::min(clip.bottom, height_)) {
        return;
    }
    const int clipLeft = std::max(clip.left, 0);
    const int clipRight = std::min(clip.right, width_);
    std::uint8_t* pixels = row(y);
    for (int s = mask.rowStart[maskRow]; s < mask.rowStart[maskRow + 1]; ++s) {
        const InkSpan& span = mask.spans[s];
        fillBgr(pixels, std::max(x + span.left, clipLeft), std::min(x + span.right, clipRight),
                colour);
    }
}

void ChartCanvas::drawMask(const GlyphMask& mask, int x, int top, Bgr colour) const {
    const ClipBox whole{0, 0, width_, height_};
    for (int r = 0; r < mask.rows(); ++r)
        drawMaskRow(mask, r, x, top + r, colour, whole);
}

}  // namespace tessora
