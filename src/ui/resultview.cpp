#include "ui/resultview.h"

#include <QWheelEvent>

#include "ui/beadviews.h"

namespace tessora {

ResultView::ResultView(const Document& document, QWidget* parent)
    : ViewScrollBox(parent), document_(document) {
    setObjectName(QStringLiteral("resultView"));
    ScrolledView* surface = view();
    surface->setCursor(Qt::PointingHandCursor);
    surface->onPaint = [this](QPainter& canvas, const QRect& exposed, QPoint origin) {
        draw(canvas, exposed, origin);
    };
    surface->onMouseDown = [this](QPoint point) { dragStart_ = point; };
    surface->onMouseMove = [this](QPoint point) {
        if (dragStart_) dragScroll(*dragStart_, point);
    };
    surface->onMouseUp = [this](QPoint) { dragStart_.reset(); };
}

void ResultView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        ViewScrollBox::wheelEvent(event);
        return;
    }
    // One notch is 120 eighths of a degree; a touchpad's smaller deltas add up across events.
    wheelEighths_ += event->angleDelta().y();
    const int steps = wheelEighths_ / QWheelEvent::DefaultDeltasPerStep;
    wheelEighths_ -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0) emit zoomStepsRequested(steps);
    event->accept();
}

void ResultView::setZoom(int percent) {
    zoom_ = percent;
    refresh();
}

void ResultView::refresh() {
    const QSize size = resultViewSize(document_.rdi, zoom_);
    view()->setWidth(size.width());
    view()->setHeight(size.height());
    view()->repaint();
}

void ResultView::draw(QPainter& canvas, const QRect& exposed, QPoint origin) {
    paintResultView(canvas, exposed, origin, document_.rdi, view()->size(), background());
}

}  // namespace tessora
