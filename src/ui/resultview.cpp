// The result view of the page "Ergebnis verarbeiten": the chart at the zoom of ZoomEd, scrolled
// by dragging; and the page change that brings bead edits into the chart and the statistics.

#include <QPainter>
#include <QSpinBox>
#include <QTabWidget>

#include "ui/beadviews.h"
#include "ui/mainform.h"
#include "ui/viewscrollbox.h"

namespace tessora {

void TMainForm::ErgPaintBoxPaint() {
    const QSize size = resultViewSize(rdi, ZoomEd->value());
    ErgPaintBox->setWidth(size.width());
    ErgPaintBox->setHeight(size.height());
    ErgPaintBox->repaint();
}

void TMainForm::ErgPaintBoxDraw(QPainter& canvas, const QRect& exposed, QPoint origin) {
    paintResultView(canvas, exposed, origin, rdi, ErgPaintBox->size(), ErgScrollBox->background());
}

void TMainForm::ErgPaintBoxMouseDown(QPoint point) {
    ziehen = true;
    ziehx = point.x();
    ziehy = point.y();
}

void TMainForm::ErgPaintBoxMouseMove(QPoint point) {
    if (ziehen) ErgScrollBox->dragScroll(QPoint(ziehx, ziehy), point);
}

void TMainForm::ErgPaintBoxMouseUp(QPoint) {
    ziehen = false;
}

void TMainForm::ZoomEdChange() {
    ErgPaintBoxPaint();
}

void TMainForm::PageControl2Change() {
    updateUndoActions();
    if (PageControl2->currentIndex() == kResultPage) RenderDib();
}

}  // namespace tessora
