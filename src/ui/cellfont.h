#pragma once
// Fonts for numbers in small cells: a given character cell height, shrunk one pixel at a time
// until the text fits the width. Drawn without antialiasing so only the two text colours appear.

#include <QFont>
#include <QString>

namespace tessora {

// The font whose character cell (ascent + descent) is `cellHeight` pixels high.
QFont CellFont(int cellHeight);

// CellFont(cellHeight), lowered while `text` is wider than `maxWidth` and the height above 1.
QFont FittedCellFont(const QString& text, int cellHeight, int maxWidth);

}  // namespace tessora
