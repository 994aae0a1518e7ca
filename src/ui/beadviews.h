#pragma once
// What the edit view and the result view show, and one frame of either painted into any
// QPainter. Widget-free, so a benchmark or a test paints a frame into a QImage without a window:
// pass the exposed rectangle in painter coordinates and the view point the painter's (0, 0)
// shows. Only the exposed part costs anything, however large the view.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "imagelib/dib.h"

class QPainter;

namespace tessora {

constexpr int kEditBeadPixels = 30;  // per bead of the grid while editing
constexpr int kViewBeadPixels = 25;  // per bead of the size page while only viewing

// The edit view: the grid at one pixel per bead at the top, enlarged below it.
struct EditViewLayout {
    int gridWidth = 0;   // beads of the grid
    int gridHeight = 0;  // also where the enlarged grid starts
    QSize enlarged;
    bool beadLines = false;  // thin lines between the beads of the enlarged grid
    QSize viewSize() const { return QSize(enlarged.width(), gridHeight + enlarged.height()); }
};

// Enlarged at 30 pixels per bead of `grid` when editing, with lines between the beads, else at
// 25 pixels per bead of the size page's counts, whatever size the grid has.
EditViewLayout makeEditViewLayout(const dib& grid, bool editMode, int beadsWide, int beadsHigh);

// The bead (column, row from the top) under a view point of the enlarged grid while editing;
// nothing on the one-pixel-per-bead image or outside the grid.
std::optional<QPoint> beadAt(QPoint viewPoint, const EditViewLayout& layout);

void paintEditView(QPainter& painter, const QRect& exposed, QPoint origin, const dib& grid,
                   const EditViewLayout& layout, const QColor& background);

// The chart at `zoom` percent: each side Trunc(side x zoom / 100).
QSize resultViewSize(const dib& chart, int zoom);

void paintResultView(QPainter& painter, const QRect& exposed, QPoint origin, const dib& chart,
                     QSize viewSize, const QColor& background);

}  // namespace tessora
