#pragma once
// Drawing the chart onto the printer page and into the page preview.

#include <QRect>

#include "imagelib/dib.h"

class QPainter;

namespace tessora {

void DrawChartOnPrinter(QPainter& painter, const QRect& target, const dib& chart);
void DrawChartInPreview(QPainter& painter, const QRect& target, const dib& chart);

}  // namespace tessora
