#pragma once
// The status bar: a framed text of what is happening ("Berechne …") beside a framed progress
// panel. Stages report percentages while the window processes no input, so rising values are
// painted at once and a falling value repaints the whole bar.

#include <QRect>
#include <QStatusBar>
#include <QString>

class QLabel;

namespace tessora {

class ProgressPanel;

class ProgressStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit ProgressStatusBar(QWidget* parent = nullptr);

    void setPercent(int percent);
    // A non-empty text starts a task: it is shown at once with the bar at 0, before the work
    // lets the window paint again. An empty text ends the task and clears the bar.
    void setTask(const QString& text);
    // A remark that stays until the next task starts.
    void showNote(const QString& text);
    QString statusText() const;
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

    QLabel* statusLabel_ = nullptr;
    ProgressPanel* panel_ = nullptr;
    int percent_ = 0;
    QRect paintedRect_;
    int paintedDoneRight_ = -1;
};

}  // namespace tessora
