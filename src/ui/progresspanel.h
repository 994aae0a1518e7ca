#pragma once
// The owner-drawn progress panel of the status bar.

#include <QWidget>
#include <functional>

namespace tessora {

class ProgressPanel : public QWidget {
    Q_OBJECT
  public:
    explicit ProgressPanel(QWidget* parent = nullptr);
    std::function<void(QPainter&, const QRect&)> onDraw;
    int paintedDoneRight = -1;  // right end of the navy part as last painted

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessora
