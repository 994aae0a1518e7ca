#pragma once
// Chart text: the numbers of the beads and the row labels, drawn without antialiasing in DejaVu
// Sans. Each text is rendered once per font height into a mask of ink spans that the chart
// copies onto its rows; fitted font heights and masks are kept for the whole run.

#include <QString>
#include <memory>
#include <vector>

namespace tessora {

struct InkSpan {
    int left;   // first pixel of ink
    int right;  // one past the last pixel of ink
};

// The ink of one text whose character cell has its top-left corner at (0, 0).
struct GlyphMask {
    int advance = 0;            // width of the text, the extent of an opaque background
    int cellHeight = 0;         // height of the character cell, the other extent of that background
    std::vector<int> rowStart;  // spans of row y are spans[rowStart[y]] to spans[rowStart[y + 1]]
    std::vector<InkSpan> spans;
    int rows() const { return static_cast<int>(rowStart.size()) - 1; }
};

// The mask of `text` at the font whose character cell is `fontHeight` pixels high (the
// largest font whose cell is no higher where that height cannot be met exactly).
std::shared_ptr<const GlyphMask> textMask(const QString& text, int fontHeight);

// Width of `text` at that font.
int textWidth(const QString& text, int fontHeight);

// The font height for `text` in a cell: the cell height, lowered one pixel at a time while the
// text is wider than `maxWidth` and the height above 1.
int fittedFontHeight(const QString& text, int maxWidth, int cellHeight);

}  // namespace tessora
