#pragma once
// The status bar with its progress panel. Stages report percentages while the window processes
// no input, so rising values are painted at once and a falling value repaints the whole bar.

#include <QRect>
#include <QStatusBar>

namespace tessora {

class ProgressPanel;

class ProgressStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit ProgressStatusBar(QWidget* parent = nullptr);

    void setPercent(int percent);
    int percent() const { return percent_; }
    // Paints the panel's `rect`: the done part navy, the rest in the button colour.
    void drawProgress(QPainter& canvas, const QRect& rect);
    // Right end (exclusive) of the navy part in `rect`.
    int doneRight(const QRect& rect) const;
    // The panel as last painted; empty before its first paint.
    QRect paintedRect() const { return paintedRect_; }
    int paintedDoneRight() const { return paintedDoneRight_; }

  private:
    void paintMore();

    ProgressPanel* panel_ = nullptr;
    int percent_ = 0;
    QRect paintedRect_;
    int paintedDoneRight_ = -1;
};

}  // namespace tessora
