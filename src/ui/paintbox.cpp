#include "ui/paintbox.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessora {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {}

void PaintBox::paintEvent(QPaintEvent* event) {
    if (!onPaint) return;
    QPainter painter(this);
    onPaint(painter, event->rect());
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown) onMouseDown(event);
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) onMouseMove(event);
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp) onMouseUp(event);
}

}  // namespace tessora
