#include "output/chartdrawing.h"

#include "imagelib/painterdevice.h"
#include "imagelib/stretchdrawdib.h"

namespace tessora {
namespace {

void drawChart(QPainter& painter, DeviceKind kind, const QRect& target, const dib& chart,
               bool halftone) {
    PainterDevice device(painter, kind);
    StretchDrawDib(device, target.x(), target.y(), target.width(), target.height(), chart, 0, 0,
                   DibWidth(chart), DibHeight(chart), halftone, kSrcCopy);
}

}  // namespace

void DrawChartOnPrinter(QPainter& painter, const QRect& target, const dib& chart) {
    drawChart(painter, DeviceKind::Printer, target, chart, false);
}

void DrawChartInPreview(QPainter& painter, const QRect& target, const dib& chart) {
    drawChart(painter, DeviceKind::Widget, target, chart, true);
}

}  // namespace tessora
