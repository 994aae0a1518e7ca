#pragma once
// A scroll box over a view that may be far larger than any widget (57,000 pixels and more).
// The view is a logical plane, not a child widget: its size sets the scroll ranges and only its
// visible part is painted into the viewport, because Qt's raster painter is reliable only
// within +-32767 and a picture of the whole view would not fit in memory anyway.

#include <QAbstractScrollArea>
#include <QColor>
#include <QCursor>
#include <functional>

namespace tessora {

class ViewScrollBox;

// The view inside a ViewScrollBox. Its handlers receive view coordinates: the position in the
// viewport plus the scroll position.
class ScrolledView {
  public:
    int width() const;
    int height() const;
    QSize size() const;
    // Each changes the size only when it differs.
    void setWidth(int width);
    void setHeight(int height);
    // Paints the visible part at once.
    void repaint();
    void setCursor(const QCursor& cursor);
    QCursor cursor() const { return cursor_; }

    // `exposed` is in viewport coordinates; the viewport's (0, 0) shows the view point `origin`.
    std::function<void(QPainter&, const QRect& exposed, const QPoint& origin)> onPaint;
    std::function<void(QPoint)> onMouseDown;
    std::function<void(QPoint)> onMouseMove;  // only while a button pressed on the view is held
    std::function<void(QPoint)> onMouseUp;

  private:
    friend class ViewScrollBox;
    explicit ScrolledView(ViewScrollBox& box) : box_(box) {}

    ViewScrollBox& box_;
    QCursor cursor_;
};

class ViewScrollBox : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit ViewScrollBox(QWidget* parent = nullptr);

    ScrolledView* view() { return &view_; }
    QSize viewSize() const { return viewSize_; }
    void setViewWidth(int width);
    void setViewHeight(int height);

    // The scroll range in each direction is the view's extent; positions stay within
    // 0 to range - visible extent.
    int horzRange() const { return viewSize_.width(); }
    int vertRange() const { return viewSize_.height(); }
    int horzPosition() const;
    int vertPosition() const;
    void setHorzPosition(int position);
    void setVertPosition(int position);
    // The view point shown at the viewport's top-left corner.
    QPoint scrollOrigin() const { return QPoint(horzPosition(), vertPosition()); }

    // Drag-scrolling: the content follows the pointer from the press at `start` to `now`, both
    // in view coordinates (which move with the scroll position, so `start` stays as it was).
    void dragScroll(QPoint start, QPoint now);

    // What the viewport shows outside the view.
    QColor background() const { return palette().color(QPalette::Window); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void updateScrollBars();
    QPoint toView(const QMouseEvent* event) const;
    bool isOnView(QPoint viewPoint) const;

    QSize viewSize_{0, 0};
    bool pressedOnView_ = false;
    ScrolledView view_{*this};
};

}  // namespace tessora
