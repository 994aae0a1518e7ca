// The edit view of the page "Berechnen": the bead grid at one pixel per bead and enlarged below;
// in edit mode a click or a stroke paints beads in the colour picked in PaintBox3, otherwise
// dragging scrolls.

#include <QAction>
#include <QCheckBox>
#include <QPainter>
#include <QSpinBox>
#include <QTabWidget>

#include "engine/catalogue.h"
#include "ui/beadstroke.h"
#include "ui/beadviews.h"
#include "ui/mainform.h"
#include "ui/paintbox.h"
#include "ui/swatchgrid.h"
#include "ui/viewscrollbox.h"

namespace tessora {

EditViewLayout TMainForm::currentEditViewLayout() const {
    return makeEditViewLayout(di3, EditModeCheck->isChecked(), maschened->value(),
                              reihened->value());
}

void TMainForm::PaintBox2Paint() {
    const QSize size = currentEditViewLayout().viewSize();
    PaintBox2->setWidth(size.width());
    PaintBox2->setHeight(size.height());
    PaintBox2->repaint();
}

void TMainForm::PaintBox2Draw(QPainter& canvas, const QRect& exposed, QPoint origin) {
    paintEditView(canvas, exposed, origin, di3, currentEditViewLayout(), ScrollBox1->background());
}

void TMainForm::PaintBox2MouseDown(QPoint point) {
    if (!EditModeCheck->isChecked()) {
        ziehen2 = true;
        ziehx2 = point.x();
        ziehy2 = point.y();
        return;
    }
    beadHistory.beginStroke();
    strokePointer = point;
    const std::optional<QPoint> bead = beadAt(point, currentEditViewLayout());
    if (bead && paintBead(*bead)) showBeadEdits();
}

void TMainForm::PaintBox2MouseMove(QPoint point) {
    if (ziehen2) {
        ScrollBox1->dragScroll(QPoint(ziehx2, ziehy2), point);
        return;
    }
    if (!strokePointer) return;
    paintBeadsAlong(*strokePointer, point);
    strokePointer = point;
}

void TMainForm::PaintBox2MouseUp(QPoint) {
    ziehen2 = false;
    endBeadStroke();
}

void TMainForm::paintBeadsAlong(QPoint from, QPoint to) {
    bool changed = false;
    for (const QPoint bead : beadsAlongPointer(from, to, currentEditViewLayout()))
        changed = paintBead(bead) || changed;
    if (changed) showBeadEdits();
}

bool TMainForm::paintBead(QPoint bead) {
    const auto value = static_cast<std::uint8_t>(colornr + PaletteSlotBase);
    const std::optional<std::uint8_t> before = setBead(di3, bead, value);
    if (!before || *before == value) return false;
    beadHistory.record({bead, *before, value});
    return true;
}

void TMainForm::showBeadEdits() {
    updateUndoActions();
    PaintBox2Paint();  // the chart and the statistics wait for the page "Ergebnis verarbeiten"
}

void TMainForm::endBeadStroke() {
    strokePointer.reset();
    beadHistory.endStroke();
}

void TMainForm::EditModeCheckClick() {
    endBeadStroke();
    Panel43->setVisible(EditModeCheck->isChecked());
    PaintBox2Paint();
}

void TMainForm::undoBeadEdit() {
    endBeadStroke();
    if (beadHistory.undo(di3)) PaintBox2Paint();
    updateUndoActions();
}

void TMainForm::redoBeadEdit() {
    endBeadStroke();
    if (beadHistory.redo(di3)) PaintBox2Paint();
    updateUndoActions();
}

void TMainForm::updateUndoActions() {
    // Edits are seen only on this page, so they are taken back only there.
    const bool onPage = PageControl2->currentIndex() == kRenderPage;
    undoAction->setEnabled(onPage && beadHistory.canUndo());
    redoAction->setEnabled(onPage && beadHistory.canRedo());
}

void TMainForm::PaintBox3Paint(QPainter& canvas) {
    const int columns = SwatchColumns(PaintBox3->width());
    for (int k = 0; k < pal.num && k < kBeadColorCount; ++k) {
        const PalEntry& e = pal.rgb0[k];
        PaintSwatch(canvas, SwatchRect(k, columns), QColor(e.peRed, e.peGreen, e.peBlue),
                    k == colornr ? QColor(255, 0, 0) : QColor(Qt::black));
    }
}

void TMainForm::PaintBox3MouseDown(QPoint point) {
    const int k =
        SwatchAt(point, SwatchColumns(PaintBox3->width()), std::min<int>(pal.num, kBeadColorCount));
    if (k < 0) return;
    colornr = k;
    PaintBox3->repaint();
}

}  // namespace tessora
