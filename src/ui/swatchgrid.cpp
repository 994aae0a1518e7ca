#include "ui/swatchgrid.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "engine/catalogue.h"
#include "ui/swatchlayout.h"

namespace tessora {
namespace {

QColor paletteColor(const LPAL& pal, int i) {
    return QColor(pal.rgb0[i].peRed, pal.rgb0[i].peGreen, pal.rgb0[i].peBlue);
}

void markUnticked(QPainter& canvas, const QRect& square) {
    canvas.fillRect(square, QColor(255, 255, 255, 170));
    canvas.setPen(QPen(QColor(90, 90, 90), 1));
    canvas.drawLine(square.topLeft(), square.bottomRight());
    canvas.drawLine(square.topRight(), square.bottomLeft());
}

}  // namespace

SwatchGrid::SwatchGrid(LPAL& palette, const BeadRange& range, QWidget* parent)
    : QWidget(parent), palette_(palette), range_(range) {
    ticked_.fill(true);
    setObjectName(QStringLiteral("swatchGrid"));
    setFixedSize(337, 81);
    setMouseTracking(true);
    chooseColour = [this](const QColor& preset) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(preset, this, tr("Farbe"));
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
}

int SwatchGrid::colourCount() const {
    return std::min<int>(palette_.num, range_.size());
}

int SwatchGrid::swatchAt(QPoint point) const {
    return SwatchAt(point, SwatchColumns(width()), colourCount());
}

void SwatchGrid::fitToColours() {
    const int rows = (colourCount() + SwatchColumns(width()) - 1) / SwatchColumns(width());
    setFixedSize(width(), std::max(81, rows * kSwatchPitch));
    update();
}

void SwatchGrid::paintSwatches(QPainter& canvas) const {
    const int columns = SwatchColumns(width());
    for (int i = 0; i < colourCount(); ++i) {
        const QColor fill = paletteColor(palette_, i);
        const QRect square = SwatchRect(i, columns);
        PaintSwatch(canvas, square, fill, Qt::black);
        PaintCellText(canvas, square.topLeft(),
                      QString::fromStdString(range_.colors[static_cast<std::size_t>(i)].number), 13,
                      13, ContrastTextColor(fill));
        if (!ticked_[i]) markUnticked(canvas, square);
    }
}

void SwatchGrid::setTicked(std::span<const bool> ticked) {
    std::array<bool, kMaxRangeColors> all{};
    std::copy_n(ticked.begin(), std::min(ticked.size(), all.size()), all.begin());
    if (all == ticked_) return;
    ticked_ = all;
    update();
}

void SwatchGrid::onPointerMoved(QPoint point) {
    const int i = swatchAt(point);
    if (i >= 0) emit swatchHovered(i);
}

void SwatchGrid::onSwatchPressed(QPoint point) {
    const int i = swatchAt(point);
    if (i < 0) return;
    const std::optional<QColor> chosen = chooseColour(paletteColor(palette_, i));
    if (!chosen) return;
    palette_.rgb0[i].peRed = static_cast<std::uint8_t>(chosen->red());
    palette_.rgb0[i].peGreen = static_cast<std::uint8_t>(chosen->green());
    palette_.rgb0[i].peBlue = static_cast<std::uint8_t>(chosen->blue());
    repaint();
}

void SwatchGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSwatches(painter);
}

void SwatchGrid::mousePressEvent(QMouseEvent* event) {
    onSwatchPressed(event->position().toPoint());
}

void SwatchGrid::mouseMoveEvent(QMouseEvent* event) {
    onPointerMoved(event->position().toPoint());
}

}  // namespace tessora
