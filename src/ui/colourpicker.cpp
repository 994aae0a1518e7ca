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

int ColourPicker::colourCount() const {
    return std::min<int>(document_.pal.num, document_.range.size());
}

QRect ColourPicker::emptyPegRect() const {
    const int columns = std::max(1, SwatchColumns(width()));
    // The last column of the last row, or of a row of its own when that one is full.
    const int row =
        colourCount() % columns == 0 ? colourCount() / columns : (colourCount() - 1) / columns;
    return SwatchRect(row * columns + columns - 1, columns);
}

void ColourPicker::paintSwatches(QPainter& canvas) const {
    const LPAL& pal = document_.pal;
    const int columns = SwatchColumns(width());
    const QColor red(255, 0, 0);
    for (int k = 0; k < colourCount(); ++k) {
        const PalEntry& e = pal.rgb0[k];
        PaintSwatch(canvas, SwatchRect(k, columns), QColor(e.peRed, e.peGreen, e.peBlue),
                    k == document_.colornr ? red : QColor(Qt::black));
    }
    const QRect empty = emptyPegRect();
    PaintEmptyPegSwatch(canvas, empty,
                        document_.colornr == kEmptyPegPick ? red : QColor(Qt::black));
}

void ColourPicker::onSwatchPressed(QPoint point) {
    const int k = SwatchAt(point, SwatchColumns(width()), colourCount());
    if (k >= 0) {
        document_.colornr = k;
    } else if (emptyPegRect().adjusted(0, 0, 1, 1).contains(point)) {
        document_.colornr = kEmptyPegPick;
    } else {
        return;
    }
    repaint();
}

void ColourPicker::fitToColours() {
    const int bottom = emptyPegRect().bottom() + 1;
    resize(width(), std::max(81, bottom));
    update();
}

void ColourPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSwatches(painter);
}

void ColourPicker::mousePressEvent(QMouseEvent* event) {
    onSwatchPressed(event->position().toPoint());
}

}  // namespace tessora
