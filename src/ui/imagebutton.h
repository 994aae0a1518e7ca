#pragma once
// A button made of two pictures on top of each other, a normal and a pressed one, swapped while
// the mouse button is held over it. The button itself is the mouse area above the pictures;
// positions it reports are relative to them, as they lie exactly under it.

#include <QWidget>

#include "ui/artwork.h"

class QLabel;

namespace tessora {

class ImageButton : public QWidget {
    Q_OBJECT
  public:
    ImageButton(QWidget* parent, PictureButton which, QPoint at, const QString& hint);

    void onPressed();
    void onPointerMoved(QPoint pos);
    void onReleased();
    bool isHeld() const { return held_; }

    QLabel* normalPicture = nullptr;
    QLabel* pressedPicture = nullptr;

  signals:
    // Released over the button; the pressed look is already gone.
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void showPressed(bool down);

    bool held_ = false;
};

}  // namespace tessora
