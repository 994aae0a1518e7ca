#include "output/chartdrawing.h"

#include <QPainter>

#include "imagelib/qimageconvert.h"

namespace tessora {

void DrawChartOnPrinter(QPainter& painter, const QRect& target, const dib& chart) {
    painter.drawImage(target, QImageFromDib(chart));
}

void DrawChartInPreview(QPainter& painter, const QRect& target, const dib& chart) {
    painter.drawImage(target, QImageFromDib(chart));
}

}  // namespace tessora
