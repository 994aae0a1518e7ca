#pragma once
// The result view of the page "Ergebnis verarbeiten": the chart at a zoom, scrolled by dragging.

#include <QPoint>
#include <optional>

#include "engine/document.h"
#include "ui/viewscrollbox.h"

namespace tessora {

class ResultView : public ViewScrollBox {
    Q_OBJECT
  public:
    explicit ResultView(const Document& document, QWidget* parent = nullptr);

    void setZoom(int percent);
    // Sizes the view to the chart at the zoom and paints it at once.
    void refresh();
    // One frame: `exposed` in painter coordinates, whose (0, 0) shows the view point `origin`.
    void draw(QPainter& canvas, const QRect& exposed, QPoint origin);
    bool isDragScrolling() const { return dragStart_.has_value(); }

  signals:
    // Ctrl + mouse wheel: zoom in (positive) or out by this many steps of the zoom field.
    void zoomStepsRequested(int steps);

  protected:
    void wheelEvent(QWheelEvent* event) override;

  private:
    const Document& document_;
    int zoom_ = 100;
    std::optional<QPoint> dragStart_;  // where a drag-scroll began
    int wheelEighths_ = 0;             // Ctrl + wheel turned less than one notch so far
};

}  // namespace tessora
