#include "ui/viewscrollbox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace tessora {
namespace {

constexpr int kLineStep = 20;  // pixels per click on a scroll arrow

void setRangeAndSteps(QScrollBar* bar, int extent, int visible) {
    bar->setRange(0, std::max(0, extent - visible));
    bar->setPageStep(std::max(1, visible));
    bar->setSingleStep(kLineStep);
}

}  // namespace

int ScrolledView::width() const {
    return box_.viewSize().width();
}

int ScrolledView::height() const {
    return box_.viewSize().height();
}

QSize ScrolledView::size() const {
    return box_.viewSize();
}

void ScrolledView::setWidth(int width) {
    box_.setViewWidth(width);
}

void ScrolledView::setHeight(int height) {
    box_.setViewHeight(height);
}

void ScrolledView::repaint() {
    box_.viewport()->repaint();
}

void ScrolledView::setCursor(const QCursor& cursor) {
    cursor_ = cursor;
}

ViewScrollBox::ViewScrollBox(QWidget* parent) : QAbstractScrollArea(parent) {
    // Every exposed pixel is painted by paintEvent, the parts outside the view included, so Qt
    // need not clear first; and scrolling moves what is already on screen.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);  // for the cursor over the view
}

void ViewScrollBox::setViewWidth(int width) {
    if (width == viewSize_.width()) return;
    viewSize_.setWidth(width);
    updateScrollBars();
}

void ViewScrollBox::setViewHeight(int height) {
    if (height == viewSize_.height()) return;
    viewSize_.setHeight(height);
    updateScrollBars();
}

int ViewScrollBox::horzPosition() const {
    return horizontalScrollBar()->value();
}

int ViewScrollBox::vertPosition() const {
    return verticalScrollBar()->value();
}

void ViewScrollBox::setHorzPosition(int position) {
    horizontalScrollBar()->setValue(position);  // the bar keeps it within its range
}

void ViewScrollBox::setVertPosition(int position) {
    verticalScrollBar()->setValue(position);
}

void ViewScrollBox::dragScroll(QPoint start, QPoint now) {
    int h = horzPosition() + (start.x() - now.x());
    int v = vertPosition() + (start.y() - now.y());
    if (h < 0) h = 0;
    if (v < 0) v = 0;
    if (h > horzRange() - 1) h = horzRange() - 1;
    if (v > vertRange() - 1) v = vertRange() - 1;
    setHorzPosition(h);
    setVertPosition(v);
}

void ViewScrollBox::updateScrollBars() {
    const QSize visible = viewport()->size();
    setRangeAndSteps(horizontalScrollBar(), viewSize_.width(), visible.width());
    setRangeAndSteps(verticalScrollBar(), viewSize_.height(), visible.height());
}

void ViewScrollBox::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPoint origin = scrollOrigin();
    // After a diagonal scroll the exposed region is two strips; their bounding box would be
    // nearly the whole viewport.
    for (const QRect& exposed : event->region()) {
        if (view_.onPaint) {
            view_.onPaint(painter, exposed, origin);
        } else {
            painter.fillRect(exposed, background());
        }
    }
}

void ViewScrollBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ViewScrollBox::scrollContentsBy(int dx, int dy) {
    viewport()->scroll(dx, dy);
}

QPoint ViewScrollBox::toView(const QMouseEvent* event) const {
    return event->position().toPoint() + scrollOrigin();
}

bool ViewScrollBox::isOnView(QPoint viewPoint) const {
    return viewPoint.x() >= 0 && viewPoint.y() >= 0 && viewPoint.x() < viewSize_.width() &&
           viewPoint.y() < viewSize_.height();
}

void ViewScrollBox::mousePressEvent(QMouseEvent* event) {
    const QPoint point = toView(event);
    if (!isOnView(point)) return;  // the empty part of the box is not the view
    pressedOnView_ = true;
    if (view_.onMouseDown) view_.onMouseDown(point);
}

void ViewScrollBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = toView(event);
    viewport()->setCursor(isOnView(point) ? view_.cursor() : QCursor());
    if (pressedOnView_ && view_.onMouseMove) view_.onMouseMove(point);
}

void ViewScrollBox::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressedOnView_) return;
    pressedOnView_ = event->buttons() != Qt::NoButton;
    if (view_.onMouseUp) view_.onMouseUp(toView(event));
}

}  // namespace tessora
