#include "ui/swatchlayout.h"

#include <QPainter>
#include <algorithm>

#include "engine/glyphs.h"

namespace tessora {

QRect SwatchRect(int index, int columns) {
    const int c = index % columns;
    const int r = index / columns;
    return QRect(kSwatchPitch * c, kSwatchPitch * r, kSwatchSize, kSwatchSize);
}

int SwatchAt(QPoint point, int columns, int count) {
    if (columns <= 0) return -1;
    for (int i = 0; i < count; ++i) {
        const QRect square = SwatchRect(i, columns);
        if (point.x() >= square.left() && point.x() <= square.left() + kSwatchSize &&
            point.y() >= square.top() && point.y() <= square.top() + kSwatchSize) {
            return i;
        }
    }
    return -1;
}

void PaintSwatch(QPainter& canvas, const QRect& square, const QColor& fill, const QColor& border) {
    canvas.fillRect(square, border);
    canvas.fillRect(square.adjusted(1, 1, -1, -1), fill);
}

void PaintEmptyPeg(QPainter& canvas, const QRect& cell) {
    canvas.fillRect(cell, Qt::white);
    const double radius = std::max(1.0, std::min(cell.width(), cell.height()) / 3.0);
    const QPointF centre(cell.left() + cell.width() / 2.0, cell.top() + cell.height() / 2.0);
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(QPen(QColor(192, 192, 192), 1));
    canvas.drawEllipse(centre, radius, radius);
    canvas.restore();
}

void PaintEmptyPegSwatch(QPainter& canvas, const QRect& square, const QColor& border) {
    canvas.fillRect(square, border);
    PaintEmptyPeg(canvas, square.adjusted(1, 1, -1, -1));
}

void PaintCellText(QPainter& canvas, QPoint at, const QString& text, int cellHeight, int maxWidth,
                   const QColor& colour) {
    const std::shared_ptr<const GlyphMask> mask =
        textMask(text, fittedFontHeight(text, maxWidth, cellHeight));
    for (int y = 0; y < mask->rows(); ++y) {
        for (int i = mask->rowStart[y]; i < mask->rowStart[y + 1]; ++i) {
            const InkSpan& span = mask->spans[i];
            canvas.fillRect(at.x() + span.left, at.y() + y, span.right - span.left, 1, colour);
        }
    }
}

QColor ContrastTextColor(const QColor& background) {
    const int brightness = (background.red() + background.green() + background.blue()) / 3;
    return brightness >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace tessora
