#pragma once
// The edit view of the page "Berechnen": the bead grid at one pixel per bead and enlarged below.
// In edit mode a click or a stroke paints beads in the picked colour, each stroke one step on
// the window's undo stack; otherwise dragging scrolls. Mouse positions are
// view coordinates (viewport position plus scroll position).

#include <QPoint>
#include <QSize>
#include <optional>
#include <vector>

#include "engine/document.h"
#include "ui/beadedit.h"
#include "ui/beadviews.h"
#include "ui/viewscrollbox.h"

class QUndoStack;

namespace tessora {

class EditView : public ViewScrollBox {
    Q_OBJECT
  public:
    explicit EditView(Document& document, QWidget* parent = nullptr);

    void setEditMode(bool editing);
    // The size page's bead counts, which set the view's size out of edit mode.
    void setSizePageBeads(int wide, int high);
    EditViewLayout currentLayout() const;
    // Sizes the view to the current layout and paints it at once.
    void refresh();
    // One frame: `exposed` in painter coordinates, whose (0, 0) shows the view point `origin`.
    void draw(QPainter& canvas, const QRect& exposed, QPoint origin);

    void onBeadPressed(QPoint point);
    void onPointerMoved(QPoint point);
    void onPointerReleased(QPoint point);
    bool isDragScrolling() const { return dragStart_.has_value(); }

    // The stack that takes each finished stroke; without one, strokes cannot be undone.
    void setUndoStack(QUndoStack* stack) { undoStack_ = stack; }
    void undoBeadEdit();
    void redoBeadEdit();
    bool canUndo() const;
    bool canRedo() const;
    // The grid was replaced: a stroke in progress ends here.
    void forgetBeadEdits();

  private:
    void paintBeadsAlong(QPoint from, QPoint to);
    // Paints a bead in the picked colour; true when that changed it.
    bool paintBead(QPoint bead);
    void showBeadEdits();
    void endBeadStroke();

    Document& document_;
    bool editMode_ = false;
    QSize sizePageBeads_;
    std::optional<QPoint> dragStart_;      // where a drag-scroll began
    std::optional<QPoint> strokePointer_;  // last pointer position of a painting stroke
    std::vector<BeadEdit> stroke_;         // the edits of the stroke in progress
    QUndoStack* undoStack_ = nullptr;
};

}  // namespace tessora
