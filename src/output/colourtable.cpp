#include "output/colourtable.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "output/beadlookup.h"
#include "output/bookgeometry.h"

namespace tessora {
namespace {

constexpr double kColumnMm = 62.0;
constexpr double kRowMm = 4.2;
constexpr double kSwatchMm = 3.4;
constexpr double kTextMm = 2.7;

std::size_t columnsIn(const PageMetrics& page, const QRectF& area) {
    return static_cast<std::size_t>(std::max(1.0, std::floor(area.width() / page.dots(kColumnMm))));
}

std::size_t rowsIn(const PageMetrics& page, const QRectF& area) {
    return static_cast<std::size_t>(std::max(0.0, std::floor(area.height() / page.dots(kRowMm))));
}

void drawEntry(QPainter& painter, const PageMetrics& page, QPointF topLeft,
               const TableEntry& entry) {
    const double row = page.dots(kRowMm);
    const double swatch = page.dots(kSwatchMm);
    const QRectF swatchRect(topLeft.x(), topLeft.y() + (row - swatch) / 2, swatch, swatch);
    painter.setPen(QPen(Qt::black, page.dots(0.15)));
    painter.setBrush(QColor::fromRgb(entry.swatch));
    painter.drawRect(swatchRect);
    painter.setBrush(Qt::NoBrush);
    const double textLeft = swatchRect.right() + page.dots(1.5);
    const QRectF numberRect(textLeft, topLeft.y(), page.dots(9), row);
    const QRectF nameRect(numberRect.right(), topLeft.y(), page.dots(34), row);
    const QRectF countRect(nameRect.right(), topLeft.y(),
                           page.dots(kColumnMm - 2) - (nameRect.right() - topLeft.x()), row);
    painter.drawText(numberRect, Qt::AlignLeft | Qt::AlignVCenter, entry.number);
    const QString name =
        QFontMetricsF(painter.font()).elidedText(entry.name, Qt::ElideRight, nameRect.width());
    painter.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, name);
    painter.drawText(countRect, Qt::AlignRight | Qt::AlignVCenter, QString::number(entry.count));
}

}  // namespace

std::vector<TableEntry> tableEntries(const BeadCounts& counts, const BeadPattern& pattern) {
    std::vector<TableEntry> entries;
    for (int k = 0; k < static_cast<int>(counts.size()); ++k) {
        const int count = counts[static_cast<std::size_t>(k)];
        if (count == 0) continue;
        entries.push_back({pattern.palette[static_cast<std::size_t>(bookSlotOf(k))],
                           bookColourNumber(pattern.range, k), bookColourName(pattern.range, k),
                           count});
    }
    return entries;
}

std::size_t tableCapacity(const PageMetrics& page, const QRectF& area) {
    return columnsIn(page, area) * rowsIn(page, area);
}

std::size_t drawColourTable(QPainter& painter, const PageMetrics& page, const QRectF& area,
                            const std::vector<TableEntry>& entries, std::size_t first) {
    const std::size_t rows = rowsIn(page, area);
    if (rows == 0) return first;
    const std::size_t left = entries.size() - std::min(first, entries.size());
    const std::size_t columns = std::min(columnsIn(page, area), (left + rows - 1) / rows);
    // Columns filled evenly from the top, read downwards like a list.
    const std::size_t perColumn =
        columns == 0 ? 0 : (std::min(left, columns * rows) + columns - 1) / columns;
    painter.setFont(page.font(kTextMm));
    std::size_t next = first;
    for (std::size_t column = 0; column < columns; ++column) {
        for (std::size_t row = 0; row < perColumn && next < entries.size(); ++row, ++next) {
            const QPointF at(area.left() + static_cast<double>(column) * page.dots(kColumnMm),
                             area.top() + static_cast<double>(row) * page.dots(kRowMm));
            drawEntry(painter, page, at, entries[next]);
        }
    }
    return next;
}

}  // namespace tessora
