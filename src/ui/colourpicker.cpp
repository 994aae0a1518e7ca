#include "ui/colourpicker.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "engine/catalogue.h"
#include "ui/swatchlayout.h"

namespace tessora {

ColourPicker::ColourPicker(Document& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName(QStringLiteral("colourPicker"));
}

void ColourPicker::paintSwatches(QPainter& canvas) const {
    const LPAL& pal = document_.pal;
    const int columns = SwatchColumns(width());
    for (int k = 0; k < pal.num && k < kBeadColorCount; ++k) {
        const PalEntry& e = pal.rgb0[k];
        PaintSwatch(canvas, SwatchRect(k, columns), QColor(e.peRed, e.peGreen, e.peBlue),
                    k == document_.colornr ? QColor(255, 0, 0) : QColor(Qt::black));
    }
}

void ColourPicker::onSwatchPressed(QPoint point) {
    const int k =
        SwatchAt(point, SwatchColumns(width()), std::min<int>(document_.pal.num, kBeadColorCount));
    if (k < 0) return;
    document_.colornr = k;
    repaint();
}

void ColourPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSwatches(painter);
}

void ColourPicker::mousePressEvent(QMouseEvent* event) {
    onSwatchPressed(event->position().toPoint());
}

}  // namespace tessora
