#pragma once
// The swatch grid of the colour page: the colours of the bead range with their numbers. Pointing
// at a swatch asks for its description; clicking one lets the user change that colour.

#include <QColor>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <span>

#include "engine/beadrange.h"
#include "imagelib/dib.h"

namespace tessora {

class SwatchGrid : public QWidget {
    Q_OBJECT
  public:
    // Shows the colours of `palette` with the numbers of `range`, both as they are when painted.
    SwatchGrid(LPAL& palette, const BeadRange& range, QWidget* parent = nullptr);

    void paintSwatches(QPainter& canvas) const;
    // Unticked colours are drawn dimmed and crossed out, so the grid shows what a calculation
    // may use.
    void setTicked(std::span<const bool> ticked);
    // Tall enough for every colour of the range, which may have changed.
    void fitToColours();
    void onPointerMoved(QPoint point);
    void onSwatchPressed(QPoint point);

    // The colour dialog of a swatch click; tests may answer it instead of a person.
    std::function<std::optional<QColor>(const QColor& preset)> chooseColour;

  signals:
    // The pointer is over swatch `index`; gaps between swatches send nothing.
    void swatchHovered(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    int swatchAt(QPoint point) const;

    int colourCount() const;

    LPAL& palette_;
    const BeadRange& range_;
    std::array<bool, kMaxRangeColors> ticked_;
};

}  // namespace tessora
