// The progress bar: stages report percentages while the window processes no input, so rising
// values are painted at once and a falling value repaints the whole status bar.

#include <QPainter>
#include <QStatusBar>
#include <algorithm>

#include "ui/mainform.h"
#include "ui/progresspanel.h"

namespace tessora {
namespace {
const QColor kNavy(0, 0, 128);
}

ProgressPanel::ProgressPanel(QWidget* parent) : QWidget(parent) {}

void ProgressPanel::paintEvent(QPaintEvent*) {
    if (!onDraw) return;
    QPainter painter(this);
    onDraw(painter, rect());
}

void TMainForm::SetProStatus(int pro) {
    if (pro < StatusPosition) {
        StatusPosition = pro;
        StatusBar1->repaint();  // paints the panel too, before returning
        return;
    }
    StatusPosition = pro;
    SBarPaintMore();
}

void TMainForm::SBarPaintMore() {
    // Painting happens only inside a paint cycle here, so the direct painting is a synchronous
    // repaint of the panel; before its first paint (sbrect empty) nothing is drawn. A stage
    // reports every row, but the bar grows only every few rows: a repaint that would show the
    // same navy part again is skipped.
    if (sbrect.isNull()) return;
    if (DonePartRight(sbrect) == progressPanel->paintedDoneRight) return;
    progressPanel->repaint();
}

int TMainForm::DonePartRight(const QRect& rect) const {
    // rect is inclusive in Qt; the done part covers [left, a) like the window's own rectangles.
    const int left = rect.left();
    const int right = rect.right() + 1;
    return std::clamp(left + (right - left) * StatusPosition / 100, left, right);
}

void TMainForm::StatusBar1DrawPanel(QPainter& canvas, const QRect& rect) {
    const int left = rect.left();
    const int right = rect.right() + 1;
    const int a = DonePartRight(rect);
    canvas.fillRect(QRect(QPoint(left, rect.top()), QPoint(a - 1, rect.bottom())), kNavy);
    canvas.fillRect(QRect(QPoint(a, rect.top()), QPoint(right - 1, rect.bottom())),
                    progressPanel->palette().color(QPalette::Button));
    sbrect = rect;
    progressPanel->paintedDoneRight = a;
}

}  // namespace tessora
