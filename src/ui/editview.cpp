#include "ui/editview.h"

#include <QUndoStack>
#include <utility>

#include "engine/catalogue.h"
#include "engine/emptypegs.h"
#include "ui/beadstroke.h"
#include "ui/colourpicker.h"
#include "ui/documentcommands.h"

namespace tessora {

EditView::EditView(Document& document, QWidget* parent)
    : ViewScrollBox(parent), document_(document) {
    setObjectName(QStringLiteral("editView"));
    ScrolledView* surface = view();
    surface->setCursor(Qt::PointingHandCursor);
    surface->onPaint = [this](QPainter& canvas, const QRect& exposed, QPoint origin) {
        draw(canvas, exposed, origin);
    };
    surface->onMouseDown = [this](QPoint point) { onBeadPressed(point); };
    surface->onMouseMove = [this](QPoint point) { onPointerMoved(point); };
    surface->onMouseUp = [this](QPoint point) { onPointerReleased(point); };
}

void EditView::setEditMode(bool editing) {
    endBeadStroke();
    editMode_ = editing;
    refresh();
    // Only the enlarged grid takes clicks; a large pattern's one-pixel image would push it
    // out of sight.
    if (editing) setVertPosition(currentLayout().gridHeight);
}

void EditView::setSizePageBeads(int wide, int high) {
    sizePageBeads_ = QSize(wide, high);
    refresh();
}

EditViewLayout EditView::currentLayout() const {
    return makeEditViewLayout(document_.di3, editMode_, sizePageBeads_.width(),
                              sizePageBeads_.height());
}

void EditView::refresh() {
    const QSize size = currentLayout().viewSize();
    view()->setWidth(size.width());
    view()->setHeight(size.height());
    view()->repaint();
}

void EditView::draw(QPainter& canvas, const QRect& exposed, QPoint origin) {
    paintEditView(canvas, exposed, origin, document_.di3, currentLayout(), background());
}

void EditView::onBeadPressed(QPoint point) {
    if (!editMode_) {
        dragStart_ = point;
        return;
    }
    endBeadStroke();
    strokePointer_ = point;
    const std::optional<QPoint> bead = beadAt(point, currentLayout());
    if (bead && paintBead(*bead)) showBeadEdits();
}

void EditView::onPointerMoved(QPoint point) {
    if (dragStart_) {
        dragScroll(*dragStart_, point);
        return;
    }
    if (!strokePointer_) return;
    paintBeadsAlong(*strokePointer_, point);
    strokePointer_ = point;
}

void EditView::onPointerReleased(QPoint) {
    dragStart_.reset();
    endBeadStroke();
}

void EditView::paintBeadsAlong(QPoint from, QPoint to) {
    bool changed = false;
    for (const QPoint bead : beadsAlongPointer(from, to, currentLayout()))
        changed = paintBead(bead) || changed;
    if (changed) showBeadEdits();
}

bool EditView::paintBead(QPoint bead) {
    const auto value = document_.colornr == kEmptyPegPick
                           ? kEmptyPeg
                           : static_cast<std::uint8_t>(document_.colornr + PaletteSlotBase);
    const std::optional<std::uint8_t> before = setBead(document_.di3, bead, value);
    if (!before || *before == value) return false;
    stroke_.push_back({bead, *before, value});
    return true;
}

void EditView::showBeadEdits() {
    refresh();  // the chart and the statistics wait for the page "Ergebnis verarbeiten"
}

// A stroke that changed nothing leaves no step.
void EditView::endBeadStroke() {
    strokePointer_.reset();
    if (stroke_.empty()) return;
    std::vector<BeadEdit> stroke = std::exchange(stroke_, {});
    if (undoStack_ == nullptr) return;
    undoStack_->push(new BeadStrokeCommand(document_, std::move(stroke), [this] { refresh(); }));
}

void EditView::undoBeadEdit() {
    endBeadStroke();
    if (undoStack_ != nullptr) undoStack_->undo();
}

void EditView::redoBeadEdit() {
    endBeadStroke();
    if (undoStack_ != nullptr) undoStack_->redo();
}

bool EditView::canUndo() const {
    return !stroke_.empty() || (undoStack_ != nullptr && undoStack_->canUndo());
}

bool EditView::canRedo() const {
    return undoStack_ != nullptr && undoStack_->canRedo();
}

void EditView::forgetBeadEdits() {
    strokePointer_.reset();
    stroke_.clear();
}

}  // namespace tessora
