#pragma once
// The bead colour picker of the page "Berechnen": the colours of the document's range, the
// picked one framed in red, and at the right end of the last row an empty peg, which removes
// beads. A click picks what edits paint with (the document's `colornr`).

#include <QWidget>

#include "engine/document.h"

namespace tessora {

// `colornr` while the empty peg is picked.
constexpr int kEmptyPegPick = -1;

class ColourPicker : public QWidget {
    Q_OBJECT
  public:
    explicit ColourPicker(Document& document, QWidget* parent = nullptr);

    void paintSwatches(QPainter& canvas) const;
    void onSwatchPressed(QPoint point);
    // Tall enough for every colour of the range, which may have changed.
    void fitToColours();
    // Where the empty peg sits.
    QRect emptyPegRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int colourCount() const;

    Document& document_;
};

}  // namespace tessora
