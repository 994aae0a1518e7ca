#include "ui/progressbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <algorithm>

namespace tessora {
namespace {
const QColor kNavy(0, 0, 128);
}

// The owner-drawn panel; the bar paints it.
class ProgressPanel : public QWidget {
  public:
    ProgressPanel(ProgressStatusBar& bar) : bar_(bar) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        bar_.drawProgress(painter, rect());
    }

  private:
    ProgressStatusBar& bar_;
};

ProgressStatusBar::ProgressStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("progressBar"));
    setFixedHeight(19);
    setSizeGripEnabled(false);
    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("statusText"));
    statusLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusLabel_->setFixedWidth(250);
    statusLabel_->setContentsMargins(3, 0, 3, 0);
    // The panel sits in a sunken frame of its own, so an empty bar still shows where it is.
    auto* panelFrame = new QFrame;
    panelFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panelFrame->setLineWidth(1);
    auto* frameLayout = new QHBoxLayout(panelFrame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    panel_ = new ProgressPanel(*this);
    panel_->setFixedWidth(150);
    frameLayout->addWidget(panel_);
    addWidget(statusLabel_);
    addWidget(panelFrame);
}

void ProgressStatusBar::setTask(const QString& text) {
    statusLabel_->setText(text);
    percent_ = 0;
    // Work runs right after this without the event loop: paint now, or nothing shows.
    repaint();
}

void ProgressStatusBar::showNote(const QString& text) {
    statusLabel_->setText(text);
    statusLabel_->repaint();
}

QString ProgressStatusBar::statusText() const {
    return statusLabel_->text();
}

void ProgressStatusBar::setPercent(int percent) {
    if (percent < percent_) {
        percent_ = percent;
        repaint();  // paints the panel too, before returning
        return;
    }
    percent_ = percent;
    paintMore();
}

void ProgressStatusBar::paintMore() {
    // Painting happens only inside a paint cycle here, so the direct painting is a synchronous
    // repaint of the panel; before its first paint nothing is drawn. A stage reports every row,
    // but the bar grows only every few rows: a repaint that would show the same navy part again
    // is skipped.
    if (paintedRect_.isNull()) return;
    if (doneRight(paintedRect_) == paintedDoneRight_) return;
    panel_->repaint();
}

int ProgressStatusBar::doneRight(const QRect& rect) const {
    // rect is inclusive in Qt; the done part covers [left, a) like the window's own rectangles.
    const int left = rect.left();
    const int right = rect.right() + 1;
    return std::clamp(left + (right - left) * percent_ / 100, left, right);
}

void ProgressStatusBar::drawProgress(QPainter& canvas, const QRect& rect) {
    const int left = rect.left();
    const int right = rect.right() + 1;
    const int a = doneRight(rect);
    canvas.fillRect(QRect(QPoint(left, rect.top()), QPoint(a - 1, rect.bottom())), kNavy);
    canvas.fillRect(QRect(QPoint(a, rect.top()), QPoint(right - 1, rect.bottom())),
                    panel_->palette().color(QPalette::Button));
    paintedRect_ = rect;
    paintedDoneRight_ = a;
}

}  // namespace tessora
