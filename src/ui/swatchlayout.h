#pragma once
// Geometry and painting of the small colour squares shared by the swatch grid of the colour page
// and the bead colour picker: pitch 18 pixels, squares of 15, and a 16 x 16 hit area per square.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

namespace tessora {

constexpr int kSwatchPitch = 18;
constexpr int kSwatchSize = 15;

inline int SwatchColumns(int boxWidth) {
    return boxWidth / kSwatchPitch;
}

// Top-left 15 x 15 square of swatch i.
QRect SwatchRect(int index, int columns);

// The swatch whose hit area (both ends included, 16 x 16) holds the point, or -1.
int SwatchAt(QPoint point, int columns, int count);

// A filled square with a 1-pixel border on its outermost pixels.
void PaintSwatch(QPainter& canvas, const QRect& square, const QColor& fill, const QColor& border);

// An empty peg as the chart draws it: a white cell with a light grey ring a third of its
// shorter side across, no number.
void PaintEmptyPeg(QPainter& canvas, const QRect& cell);

// The picker's empty peg: an empty peg inside a swatch border.
void PaintEmptyPegSwatch(QPainter& canvas, const QRect& square, const QColor& border);

// Writes `text` with its character cell's top-left corner at `at`, on a transparent
// background, in the glyphs of the chart: cell height `cellHeight`, lowered while the text is
// wider than `maxWidth`.
void PaintCellText(QPainter& canvas, QPoint at, const QString& text, int cellHeight, int maxWidth,
                   const QColor& colour);

// Text on a colour: black on light colours, white on dark ones ((r + g + b) div 3 against 128).
QColor ContrastTextColor(const QColor& background);

}  // namespace tessora
