#include "ui/beadviews.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <array>
#include <span>

#include "engine/emptypegs.h"
#include "engine/numbers.h"
#include "imagelib/drawinview.h"
#include "ui/swatchlayout.h"

namespace tessora {
namespace {

// Division rounding toward minus infinity: a point left of or above the grid never lands in
// its first column or row.
int floorDiv(int numerator, int denominator) {
    const int quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

// The product first: 300 x 0.07 would truncate to 20, 300 x 7 / 100 gives 21.
int zoomed(int side, int zoom) {
    return static_cast<int>(truncToInt(static_cast<double>(side) * zoom / 100.0));
}

struct Placement {
    IntRect dest;  // view coordinates
    const dib* image;
    bool halftoneAllowed;
};

IntRect toViewCoordinates(const QRect& exposed, QPoint origin) {
    return IntRect{clampToInt(std::int64_t{exposed.x()} + origin.x()),
                   clampToInt(std::int64_t{exposed.y()} + origin.y()), exposed.width(),
                   exposed.height()};
}

QRect toPainterCoordinates(const IntRect& r, QPoint origin) {
    return QRect(r.x - origin.x(), r.y - origin.y(), r.width, r.height);
}

// Draws each image clipped to the view and fills the rest of the exposed rectangle, so every
// exposed pixel is painted exactly once.
void paintFrame(QPainter& painter, const QRect& exposed, QPoint origin, QSize viewSize,
                std::span<const Placement> placements, const QColor& background) {
    const IntRect visible = intersected(toViewCoordinates(exposed, origin),
                                        IntRect{0, 0, viewSize.width(), viewSize.height()});
    QRegion uncovered(exposed);
    for (const Placement& p : placements) {
        if (p.image->poi == nullptr) continue;
        const IntRect shown = intersected(visible, p.dest);
        if (shown.isEmpty()) continue;
        const QRect shownOnPainter = toPainterCoordinates(shown, origin);
        drawDibInView(painter, shownOnPainter, origin, p.dest, *p.image, p.halftoneAllowed);
        uncovered -= shownOnPainter;
    }
    for (const QRect& r : uncovered)
        painter.fillRect(r, background);
}

const QColor kBeadLineColour(128, 128, 128);

// For the non-negative offsets inside the enlarged grid.
int ceilDiv(int numerator, int denominator) {
    return (numerator + denominator - 1) / denominator;
}

// The lines run on the first pixel column and row of every bead but the first, so a bead keeps
// 29 x 29 pixels of its colour and the one-pixel image above stays untouched.
void paintBeadLines(QPainter& painter, const QRect& exposed, QPoint origin,
                    const EditViewLayout& layout) {
    const IntRect enlarged{0, layout.gridHeight, layout.enlarged.width(), layout.enlarged.height()};
    const IntRect shown = intersected(toViewCoordinates(exposed, origin), enlarged);
    if (shown.isEmpty()) return;
    const QRect onPainter = toPainterCoordinates(shown, origin);
    const int firstColumn = std::max(1, ceilDiv(shown.x, kEditBeadPixels));
    const int lastColumn =
        std::min(layout.gridWidth - 1, (shown.x + shown.width - 1) / kEditBeadPixels);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const int x = column * kEditBeadPixels - origin.x();
        painter.fillRect(QRect(x, onPainter.top(), 1, onPainter.height()), kBeadLineColour);
    }
    const int firstRow = std::max(1, ceilDiv(shown.y - layout.gridHeight, kEditBeadPixels));
    const int lastRow = std::min(
        layout.gridHeight - 1, (shown.y + shown.height - 1 - layout.gridHeight) / kEditBeadPixels);
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = layout.gridHeight + row * kEditBeadPixels - origin.y();
        painter.fillRect(QRect(onPainter.left(), y, onPainter.width(), 1), kBeadLineColour);
    }
}

// The grid's palette shows an empty peg in the fill colour; it is drawn over as the chart
// draws it: white in the one-pixel image, a white cell with a grey ring when enlarged.
void paintEmptyPegs(QPainter& painter, const QRect& exposed, QPoint origin, const dib& grid,
                    const EditViewLayout& layout) {
    if (grid.poi == nullptr || DibBits(grid) != 8) return;
    const QRect visible = exposed.translated(origin);
    const QSize enlarged = layout.enlarged;
    for (int row = 0; row < layout.gridHeight; ++row) {
        const std::uint8_t* values = DibRow(grid, layout.gridHeight - 1 - row);
        const int top = layout.gridHeight + row * enlarged.height() / layout.gridHeight;
        const int bottom = layout.gridHeight + (row + 1) * enlarged.height() / layout.gridHeight;
        const bool cellsShown = top < visible.bottom() + 1 && bottom > visible.top();
        for (int column = 0; column < layout.gridWidth; ++column) {
            if (values[column] != kEmptyPeg) continue;
            painter.fillRect(QRect(QPoint(column, row) - origin, QSize(1, 1)), Qt::white);
            if (!cellsShown) continue;
            const int left = column * enlarged.width() / layout.gridWidth;
            const int right = (column + 1) * enlarged.width() / layout.gridWidth;
            PaintEmptyPeg(painter,
                          QRect(left, top, right - left, bottom - top).translated(-origin));
        }
    }
}

}  // namespace

EditViewLayout makeEditViewLayout(const dib& grid, bool editMode, int beadsWide, int beadsHigh) {
    EditViewLayout layout;
    layout.gridWidth = DibWidth(grid);
    layout.gridHeight = DibHeight(grid);
    layout.enlarged =
        editMode ? QSize(layout.gridWidth * kEditBeadPixels, layout.gridHeight * kEditBeadPixels)
                 : QSize(beadsWide * kViewBeadPixels, beadsHigh * kViewBeadPixels);
    layout.beadLines = editMode;
    return layout;
}

std::optional<QPoint> beadAt(QPoint viewPoint, const EditViewLayout& layout) {
    if (viewPoint.y() < layout.gridHeight) return std::nullopt;  // on the one-pixel image
    const int column = floorDiv(viewPoint.x(), kEditBeadPixels);
    const int row = floorDiv(viewPoint.y() - layout.gridHeight, kEditBeadPixels);
    if (column < 0 || column >= layout.gridWidth || row < 0 || row >= layout.gridHeight) {
        return std::nullopt;
    }
    return QPoint(column, row);
}

void paintEditView(QPainter& painter, const QRect& exposed, QPoint origin, const dib& grid,
                   const EditViewLayout& layout, const QColor& background) {
    const std::array placements{
        Placement{{0, 0, layout.gridWidth, layout.gridHeight}, &grid, false},
        Placement{{0, layout.gridHeight, layout.enlarged.width(), layout.enlarged.height()},
                  &grid,
                  false}};
    paintFrame(painter, exposed, origin, layout.viewSize(), placements, background);
    painter.save();
    painter.setClipRect(exposed);
    paintEmptyPegs(painter, exposed, origin, grid, layout);
    painter.restore();
    if (layout.beadLines && grid.poi != nullptr) paintBeadLines(painter, exposed, origin, layout);
}

QSize resultViewSize(const dib& chart, int zoom) {
    return QSize(zoomed(DibWidth(chart), zoom), zoomed(DibHeight(chart), zoom));
}

void paintResultView(QPainter& painter, const QRect& exposed, QPoint origin, const dib& chart,
                     QSize viewSize, const QColor& background) {
    const std::array placements{
        Placement{{0, 0, viewSize.width(), viewSize.height()}, &chart, true}};
    paintFrame(painter, exposed, origin, viewSize, placements, background);
}

}  // namespace tessora
