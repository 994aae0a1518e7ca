#include "ui/cellfont.h"

#include <QFontMetrics>
#include <QHash>

namespace tessora {
namespace {

QFont baseFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The largest pixel size whose cell fits the height; a cell height is asked for again and
// again while painting, so the answer is kept.
int pixelSizeForCell(int cellHeight) {
    static QHash<int, int> known;
    if (const auto it = known.constFind(cellHeight); it != known.constEnd()) return *it;
    QFont font = baseFont();
    int size = std::max(1, cellHeight);
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cellHeight) break;
    }
    known.insert(cellHeight, size);
    return size;
}

}  // namespace

QFont CellFont(int cellHeight) {
    QFont font = baseFont();
    font.setPixelSize(pixelSizeForCell(cellHeight));
    return font;
}

QFont FittedCellFont(const QString& text, int cellHeight, int maxWidth) {
    int height = cellHeight;
    QFont font = CellFont(height);
    while (QFontMetrics(font).horizontalAdvance(text) > maxWidth && height > 1) {
        --height;
        font = CellFont(height);
    }
    return font;
}

}  // namespace tessora
