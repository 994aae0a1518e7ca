#pragma once
// The bead colour picker of the page "Berechnen": the 64 bead colours, the picked one framed in
// red. A click picks the colour that edits paint with (the document's `colornr`).

#include <QWidget>

#include "engine/document.h"

namespace tessora {

class ColourPicker : public QWidget {
    Q_OBJECT
  public:
    explicit ColourPicker(Document& document, QWidget* parent = nullptr);

    void paintSwatches(QPainter& canvas) const;
    void onSwatchPressed(QPoint point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Document& document_;
};

}  // namespace tessora
