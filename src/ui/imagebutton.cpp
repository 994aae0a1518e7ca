#include "ui/imagebutton.h"

#include <QLabel>
#include <QMouseEvent>

namespace tessora {
namespace {

constexpr QSize kButtonSize(101, 30);

QLabel* makePicture(QWidget* parent, const QPixmap& pixmap, QPoint at, bool visible) {
    auto* picture = new QLabel(parent);
    picture->setPixmap(pixmap);
    picture->setGeometry(QRect(at, kButtonSize));
    picture->setVisible(visible);
    // The pictures only show; the area above them takes the mouse, so swapping which picture
    // is visible never breaks the mouse grab of a held button.
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
}

}  // namespace

ImageButton::ImageButton(QWidget* parent, PictureButton which, QPoint at, const QString& hint)
    : QWidget(parent) {
    normalPicture = makePicture(parent, ButtonPicture(which, false), at, true);
    pressedPicture = makePicture(parent, ButtonPicture(which, true), at, false);
    setGeometry(QRect(at, kButtonSize));
    setCursor(Qt::PointingHandCursor);
    setToolTip(hint);
    raise();
}

void ImageButton::showPressed(bool down) {
    pressedPicture->setVisible(down);
    normalPicture->setVisible(!down);
}

void ImageButton::onPressed() {
    showPressed(true);
    held_ = true;
}

void ImageButton::onPointerMoved(QPoint pos) {
    if (!held_) return;
    const bool inside = pos.x() >= 0 && pos.x() < normalPicture->width() && pos.y() >= 0 &&
                        pos.y() < normalPicture->height();
    showPressed(inside);
}

void ImageButton::onReleased() {
    showPressed(false);
    held_ = false;
}

void ImageButton::mousePressEvent(QMouseEvent*) {
    onPressed();
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    onPointerMoved(event->position().toPoint());
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (click) {
        showPressed(false);
        held_ = false;
        emit clicked();
    }
    onReleased();
}

}  // namespace tessora
